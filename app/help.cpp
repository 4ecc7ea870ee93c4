// Help texts and the about button.
#include "app/help.h"

#include "app/game.h"

namespace quorl {

namespace {

using Self = HelpPanel::Controls;
const ControlRow<Self> kControls[] = {
    // Sized, and given its click, together with the about window it opens.
    {QUORL_CONTROL(Command1), .kind = Kind::Button, .caption = "\u2609", .fore = rgb(255, 223, 128),
     .back = rgb(40, 48, 72), .font = "DejaVu Sans", .fontSize = 11},
    {QUORL_CONTROL(Label13), .kind = Kind::Label, .place = {2500, 600, 10200, 3600},
     .caption = "The aim: build a stable solar system with as many living worlds as you can.\r"
                "Pick a preset [1-9] to blow a supernova into a cloud of young planets,\r"
                "or [10] to start with a single large world beside the star.\r"
                "Watch the worlds orbit, collide and fuse; select one to grow air, water and life,\r"
                "then send comets and spacecraft to carry that life to other worlds.",
     .fore = rgb(170, 200, 255), .back = rgb(0, 0, 0), .font = "DejaVu Sans", .fontSize = 10},
    {QUORL_CONTROL(Image1), .kind = Kind::Picture, .back = rgb(0, 0, 0)},
};

}  // namespace

HelpPanel::HelpPanel(Game& g) : g_(g) { declare(g.ui, c, kControls); }

}  // namespace quorl
