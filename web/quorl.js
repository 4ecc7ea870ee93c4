// The page: one element per control of the game, kept in step with the core's list of changed controls;
// the drawing areas copied from the core's canvases; the player's clicks, typing, focus changes, scroll
// bars and keys handed to the core; timers and passes run a display frame at a time. Every rule of the game,
// the scale and the caption sizes included, comes from the core (web/page_game.cpp).
'use strict';

const Kinds = { Click: 0, Typed: 1, FocusIn: 2, FocusOut: 3, Scrolled: 4, Key: 5, Tick: 6 };
const PathAreas = { Quorl: 0, PiZX: 1, PiZY: 2 };
const Files = '/quorl';

let Q = null;           // the module
let els = [];           // by control index: { d, el, inner, canvas, overlay }
let scale = 1;
let dpr = window.devicePixelRatio || 1;
let running = true;
let shownPath = -1;
let lastTitle = '';
let firstFrame = 0;
// What a frame costs the page (the game's turns, the changed controls, the canvases), for the figures.
const stats = { frames: 0, busyMs: 0, longestMs: 0 };

const $ = (id) => document.getElementById(id);
const bar = () => $('bar').offsetHeight;

// ---- text, for the core's caption fitting and the canvases' text ----

const scratch = document.createElement('canvas').getContext('2d', { willReadFrequently: true });

function family(name) {
  const serif = /georgia|serif|times/i.test(name) && !/sans/i.test(name);
  return `"${name}", ${serif ? '"DejaVu Serif", serif' : '"DejaVu Sans", sans-serif'}`;
}
function cssFont(px, bold, name) { return `${bold ? 'bold ' : ''}${px}px ${family(name)}`; }

function lineOf(px, bold, name) {
  scratch.font = cssFont(px, bold, name);
  const m = scratch.measureText('Hg');
  return m.fontBoundingBoxAscent + m.fontBoundingBoxDescent;
}

function captionFits(text, name, px, bold, width, height, wrap) {
  scratch.font = cssFont(px, bold, name);
  const lines = text.split('\n');
  if (!wrap) return lines.every((l) => scratch.measureText(l).width <= width);
  const line = lineOf(px, bold, name);
  let count = 0;
  for (const para of lines) {
    const words = para.split(/\s+/).filter((w) => w.length);
    if (words.some((w) => scratch.measureText(w).width > width)) return false;
    let n = 1, at = '';
    for (const w of words) {
      const next = at ? at + ' ' + w : w;
      if (at && scratch.measureText(next).width > width) { n++; at = w; } else at = next;
    }
    count += n;
  }
  return count * line <= Math.max(height, line);
}

let textCanvas = null;
function drawText(ptr, w, h, x, y, text, rgb, px, bold, name, extent) {
  if (!textCanvas) textCanvas = new OffscreenCanvas(64, 32).getContext('2d', { willReadFrequently: true });
  const ctx = textCanvas;
  ctx.font = cssFont(px, bold, name);
  const m = ctx.measureText(text);
  const ascent = m.fontBoundingBoxAscent, tw = Math.ceil(m.width) + 2, th = Math.ceil(ascent + m.fontBoundingBoxDescent) + 1;
  Q.HEAPF64[extent >> 3] = m.width;
  Q.HEAPF64[(extent >> 3) + 1] = ascent + m.fontBoundingBoxDescent;
  if (tw <= 2 || !text) return;
  if (ctx.canvas.width < tw || ctx.canvas.height < th) {
    ctx.canvas.width = Math.max(ctx.canvas.width, tw);
    ctx.canvas.height = Math.max(ctx.canvas.height, th);
  }
  ctx.clearRect(0, 0, tw, th);
  ctx.font = cssFont(px, bold, name);
  ctx.fillStyle = '#' + rgb.toString(16).padStart(6, '0');
  ctx.textBaseline = 'alphabetic';
  ctx.fillText(text, 0, ascent);
  const src = ctx.getImageData(0, 0, tw, th).data;
  const x0 = Math.floor(x), y0 = Math.floor(y);
  const heap = Q.HEAPU32, base = ptr >> 2;
  for (let j = 0; j < th; j++) {
    const py = y0 + j;
    if (py < 0 || py >= h) continue;
    for (let i = 0; i < tw; i++) {
      const px2 = x0 + i, s = (j * tw + i) * 4, a = src[s + 3];
      if (a === 0 || px2 < 0 || px2 >= w) continue;
      const at = base + py * w + px2, d = heap[at], k = a / 255;
      // The canvas's text comes premultiplied out: its colour over the pixel by its coverage.
      const r = Math.round(src[s] * k + ((d >> 16) & 255) * (1 - k));
      const g = Math.round(src[s + 1] * k + ((d >> 8) & 255) * (1 - k));
      const b = Math.round(src[s + 2] * k + (d & 255) * (1 - k));
      heap[at] = (0xff000000 | (r << 16) | (g << 8) | b) >>> 0;
    }
  }
}

// ---- the elements ----

function make(d) {
  const i = d.i;
  let el;
  const press = (e) => { if (e.button === 0) send(Kinds.Click, i); };
  // A control that takes the click itself keeps it from the frame around it.
  const keep = (e) => e.stopPropagation();
  switch (d.kind) {
    case 'form':
    case 'picture': {
      el = document.createElement('div');
      el.className = 'area';
      const canvas = document.createElement('canvas');
      el.appendChild(canvas);
      els[i] = { d, el, canvas };
      if (d.name in PathAreas) {
        const overlay = document.createElement('canvas');
        overlay.className = 'overlay';
        el.appendChild(overlay);
        els[i].overlay = overlay;
      }
      if (d.name === 'PicTimeline') timeline(el);
      else el.addEventListener('mousedown', (e) => { takeFocus(e); press(e); });
      if (d.other) {
        el.classList.add('other');
        $('others').appendChild(el);
      }
      return els[i];
    }
    case 'label':
      el = document.createElement('div');
      el.className = 'label';
      el.addEventListener('mousedown', press);
      break;
    case 'frame': {
      el = document.createElement('div');
      el.className = 'frame';
      const legend = document.createElement('span');
      legend.className = 'legend';
      el.appendChild(legend);
      el.addEventListener('mousedown', (e) => { takeFocus(e); press(e); });
      els[i] = { d, el, legend };
      return els[i];
    }
    case 'textbox':
      el = document.createElement(d.multi ? 'textarea' : 'input');
      el.className = 'box';
      if (!d.multi) el.type = 'text';
      el.spellcheck = false;
      el.addEventListener('input', () => send(Kinds.Typed, i, el.value));
      el.addEventListener('focus', () => send(Kinds.FocusIn, i, '', 0, !document.hasFocus()));
      // Another window taking the focus leaves the box where it is.
      el.addEventListener('blur', () => { send(Kinds.FocusOut, i, '', 0, document.activeElement === el); el.scrollLeft = 0; });
      el.addEventListener('keydown', (e) => boxKey(e, i, el));
      el.addEventListener('mousedown', keep);
      break;
    case 'button':
      el = document.createElement('button');
      el.className = 'button';
      el.addEventListener('click', () => send(Kinds.Click, i));
      el.addEventListener('mousedown', keep);
      break;
    case 'checkbox':
    case 'option': {
      el = document.createElement('div');
      el.className = d.kind;
      const mark = document.createElement('span');
      mark.className = 'mark';
      const text = document.createElement('span');
      text.className = 'text';
      el.append(mark, text);
      el.addEventListener('mousedown', keep);
      el.addEventListener('click', () => send(Kinds.Click, i));
      els[i] = { d, el, mark, text };
      return els[i];
    }
    case 'hscroll':
    case 'vscroll':
      return (els[i] = makeBar(d));
    case 'shape':
      el = document.createElement('div');
      el.className = 'shape';
      break;
    case 'line': {
      el = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
      el.classList.add('line');
      const line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
      el.appendChild(line);
      els[i] = { d, el, line };
      return els[i];
    }
    default:
      el = document.createElement('div');
  }
  els[i] = { d, el };
  return els[i];
}

// A scroll bar as the toolkit draws one: arrows at the ends, a track, a handle as long as a page of the range.
function makeBar(d) {
  const i = d.i, el = document.createElement('div');
  el.className = 'scroll ' + (d.kind === 'hscroll' ? 'h' : 'v');
  const less = document.createElement('div'), track = document.createElement('div');
  const thumb = document.createElement('div'), more = document.createElement('div');
  less.className = 'arrow less';
  more.className = 'arrow more';
  track.className = 'track';
  thumb.className = 'thumb';
  track.appendChild(thumb);
  el.append(less, track, more);
  const o = { d, el, track, thumb };
  const horizontal = () => o.d.kind === 'hscroll';
  const to = (v) => {
    v = Math.max(o.d.min, Math.min(o.d.max, Math.round(v)));
    if (v !== o.d.value) send(Kinds.Scrolled, i, '', v);
  };
  let repeat = null;
  const stop = () => { clearTimeout(repeat); clearInterval(repeat); repeat = null; };
  const hold = (step) => {
    step();
    repeat = setTimeout(() => { repeat = setInterval(step, 50); }, 300);
  };
  less.addEventListener('mousedown', (e) => { e.stopPropagation(); hold(() => to(o.d.value - o.d.small)); });
  more.addEventListener('mousedown', (e) => { e.stopPropagation(); hold(() => to(o.d.value + o.d.small)); });
  track.addEventListener('mousedown', (e) => {
    e.stopPropagation();
    if (e.target === thumb) return;
    const r = thumb.getBoundingClientRect();
    const before = horizontal() ? e.clientX < r.left : e.clientY < r.top;
    hold(() => to(o.d.value + (before ? -o.d.large : o.d.large)));
  });
  thumb.addEventListener('mousedown', (e) => {
    e.stopPropagation();
    const start = horizontal() ? e.clientX : e.clientY, from = o.d.value;
    const span = (horizontal() ? track.clientWidth - thumb.offsetWidth : track.clientHeight - thumb.offsetHeight) || 1;
    const move = (m) => to(from + ((horizontal() ? m.clientX : m.clientY) - start) / span * (o.d.max - o.d.min));
    const up = () => { removeEventListener('mousemove', move); removeEventListener('mouseup', up); };
    addEventListener('mousemove', move);
    addEventListener('mouseup', up);
  });
  addEventListener('mouseup', stop);
  el.addEventListener('wheel', (e) => { e.preventDefault(); to(o.d.value + Math.sign(e.deltaY || e.deltaX) * o.d.small); });
  return o;
}

function placeBar(o) {
  const d = o.d, range = d.max - d.min;
  const horizontal = d.kind === 'hscroll';
  const length = horizontal ? o.track.clientWidth : o.track.clientHeight;
  const thumb = range > 0 ? Math.max(8, Math.round(length * d.large / (range + d.large))) : length;
  const at = range > 0 ? Math.round((d.value - d.min) / range * (length - thumb)) : 0;
  if (horizontal) Object.assign(o.thumb.style, { left: at + 'px', width: thumb + 'px', top: '0', height: '100%' });
  else Object.assign(o.thumb.style, { top: at + 'px', height: thumb + 'px', left: '0', width: '100%' });
}

function containerOf(d) {
  if (d.main) return $('content');
  if (d.other) return $('others');
  return d.box >= 0 && els[d.box] ? els[d.box].el : $('content');
}

// Brings an element in step with its control.
function apply(o, d) {
  o.d = d;
  const el = o.el, s = el.style;
  if (!d.other && el.parentNode !== containerOf(d)) containerOf(d).appendChild(el);
  s.display = d.show || d.main ? '' : 'none';
  if (d.main) $('stage').style.display = d.show ? '' : 'none';
  if (d.other) {
    s.position = 'fixed';
    Object.assign(s, { left: `calc(50% - ${d.w / 2}px)`, top: `calc(50% - ${d.h / 2}px)` });
  } else {
    Object.assign(s, { left: d.x + 'px', top: d.y + 'px' });
  }
  Object.assign(s, { width: d.w + 'px', height: d.h + 'px' });
  s.font = cssFont(d.px, d.bold, d.font);
  el.title = d.tip;
  switch (d.kind) {
    case 'form':
    case 'picture':
      s.background = d.back;
      if (o.overlay) Object.assign(o.overlay, { width: Math.round(d.w * dpr), height: Math.round(d.h * dpr) });
      if (o.overlay) Object.assign(o.overlay.style, { width: d.w + 'px', height: d.h + 'px' });
      break;
    case 'label':
      s.background = d.back;
      s.color = d.captionFore;
      s.paddingLeft = d.indent + 'px';
      el.classList.toggle('cut', d.cut && !(d.caption.includes('\n') && d.h >= 2 * d.px * 1.2));
      el.textContent = d.caption;
      break;
    case 'frame':
      s.background = d.back;
      s.color = d.captionFore;
      s.borderColor = frameEdge(d.back);
      o.legend.textContent = d.caption;
      o.legend.style.display = d.caption ? '' : 'none';
      o.legend.style.background = d.back;
      break;
    case 'button':
      s.background = `linear-gradient(${lighter(d.back, 1.12)}, ${d.back})`;
      s.color = d.fore;
      el.disabled = !d.enabled;
      el.textContent = d.caption;
      el.classList.toggle('cut', d.cut);
      break;
    case 'checkbox':
    case 'option':
      s.background = d.back;
      s.color = d.enabled ? d.captionFore : '';
      el.classList.toggle('on', d.value !== 0);
      el.classList.toggle('disabled', !d.enabled);
      Object.assign(o.mark.style, { width: d.indicator + 'px', height: d.indicator + 'px', marginRight: d.gap + 'px' });
      o.text.textContent = d.caption;
      o.text.classList.toggle('cut', d.cut);
      break;
    case 'textbox':
      s.background = d.back;
      s.color = d.fore;
      el.readOnly = d.readOnly || Q.replaying();
      el.tabIndex = d.readOnly ? -1 : 0;
      el.disabled = !d.enabled;
      if (el.value !== d.text) {
        el.value = d.text;
        if (document.activeElement !== el) el.scrollLeft = 0;
      }
      break;
    case 'hscroll':
    case 'vscroll':
      el.classList.toggle('disabled', !d.enabled);
      placeBar(o);
      break;
    case 'shape':
      s.borderColor = d.fore;
      s.background = d.back;
      break;
    case 'line':
      o.line.setAttribute('x1', d.x1);
      o.line.setAttribute('y1', d.y1);
      o.line.setAttribute('x2', d.x2);
      o.line.setAttribute('y2', d.y2);
      o.line.setAttribute('stroke', d.fore);
      break;
  }
}

function hex(c) { return [1, 3, 5].map((k) => parseInt(c.substr(k, 2), 16)); }
function lighter(c, k) { return `rgb(${hex(c).map((v) => Math.min(255, Math.round(v * k + 8))).join(',')})`; }
function frameEdge(back) {
  const [r, g, b] = hex(back);
  return r + g + b < 30 ? 'rgb(90,100,130)' : `rgb(${[r, g, b].map((v) => Math.min(255, Math.round(v * 2.2))).join(',')})`;
}

function build() {
  for (const o of els) if (o) o.el.remove();
  els = [];
  $('others').textContent = '';
  const all = JSON.parse(Q.controls());
  for (const d of all.controls) make(d).el.dataset.name = d.name;
  layout(all);
}

function layout(all) {
  const content = $('content');
  content.style.width = all.width + 'px';
  content.style.height = all.height + 'px';
  for (const d of all.controls) apply(els[d.i], d);
  shownPath = -1;
}

function sync() {
  const changed = JSON.parse(Q.changes());
  for (const d of changed.controls) if (els[d.i]) apply(els[d.i], d);
  if (changed.width) {
    $('content').style.width = changed.width + 'px';
    $('content').style.height = changed.height + 'px';
  }
}

function fit() {
  const s = Q.fitScale(window.innerWidth, window.innerHeight - bar());
  const ratio = window.devicePixelRatio || 1;
  // A page that already fits closely keeps its scale: rounding must not make it creep.
  if (Math.abs(s - scale) <= 0.004 && ratio === dpr) return;
  scale = s;
  dpr = ratio;
  Q.setScale(scale, dpr);
  layout(JSON.parse(Q.controls()));
}

// ---- events ----

// Dragging the timeline shows the system as it was; letting go plays on from there. No input of the game.
function timeline(el) {
  const at = (e) => { Q.timelineDrag(e.clientX - el.getBoundingClientRect().left); sync(); };
  el.addEventListener('mousedown', (e) => {
    if (e.button !== 0 || Q.replaying()) return;
    takeFocus(e);
    at(e);
    const up = () => {
      removeEventListener('mousemove', at);
      removeEventListener('mouseup', up);
      Q.timelineRelease();
      sync();
    };
    addEventListener('mousemove', at);
    addEventListener('mouseup', up);
  });
}

function send(kind, i, text = '', value = 0, elsewhere = false, inTextBox = false) {
  Q.event(kind, i, text, value, elsewhere, inTextBox);
  sync();
}

// Clicking a drawing area or a frame takes the focus from a text box, so the box's check runs.
function takeFocus(e) {
  if (e.button === 0 && document.activeElement && document.activeElement.classList.contains('box')) {
    e.preventDefault();
    $('content').focus();
  }
}

function boxKey(e, i, el) {
  if (Q.replaying()) return;
  const enter = e.key === 'Enter' && !e.shiftKey && el.tagName === 'INPUT';
  const tab = e.key === 'Tab' && !e.shiftKey;
  // The focus box picks the craft to steer: leaving it hands the keys to the main view.
  if ((enter || tab) && Q.handsKeysToMainView(i)) {
    e.preventDefault();
    $('content').focus();
    return;
  }
  // Return takes a typed number as Tab does.
  if (enter) {
    e.preventDefault();
    const boxes = [...document.querySelectorAll('input.box')].filter((b) => b.tabIndex >= 0 && b.offsetParent);
    const next = boxes[(boxes.indexOf(el) + 1) % boxes.length];
    if (next) next.focus(); else el.blur();
  }
}

document.addEventListener('keydown', (e) => {
  if (!Q) return;
  if ((e.ctrlKey || e.metaKey) && !e.altKey && e.key.toLowerCase() === 'z' && !Q.replaying()) {
    Q.timelineBack();
    sync();
    e.preventDefault();
    return;
  }
  if (e.ctrlKey || e.altKey || e.metaKey) return;
  const t = e.target, inBox = t.classList && t.classList.contains('box');
  if (Q.replaying()) {
    // A replay takes from the keyboard only the space bar, which holds it and plays it on.
    if (inBox || !e.repeat) send(Kinds.Key, -1, e.key === ' ' ? ' ' : '', 0, false, false);
    e.preventDefault();
    return;
  }
  if (inBox) return;
  if (e.key.length === 1) {
    send(Kinds.Key, -1, e.key, 0, false, false);
    e.preventDefault();
  }
});

// ---- frames ----

function blit(o) {
  const got = Q.canvas(o.d.i);
  if (!got) return false;
  const c = o.canvas;
  if (c.width !== got.width || c.height !== got.height) {
    c.width = got.width;
    c.height = got.height;
    c.style.width = got.width / dpr + 'px';
    c.style.height = got.height / dpr + 'px';
  }
  const pixels = new Uint8ClampedArray(got.data.buffer, got.data.byteOffset, got.data.length);
  c.getContext('2d').putImageData(new ImageData(pixels, got.width, got.height), 0, 0);
  return true;
}

// The path of the selected body over an orbit view, drawn over its canvas, never into it.
function drawPath(o) {
  const p = JSON.parse(Q.path(PathAreas[o.d.name]));
  const ctx = o.overlay.getContext('2d');
  ctx.setTransform(dpr, 0, 0, dpr, 0, 0);
  ctx.clearRect(0, 0, o.d.w, o.d.h);
  if (!p.dots.length && !p.impact && !p.exit) return;
  const size = Math.max(2, Math.round(2 * p.scale));
  ctx.fillStyle = p.escape ? 'rgb(255,70,70)' : p.aimed ? 'rgb(255,214,110)' : 'rgb(170,225,255)';
  for (let k = 0; k < p.dots.length; k += 2) ctx.fillRect(p.dots[k] - size / 2, p.dots[k + 1] - size / 2, size, size);
  const r = Math.max(5, 7 * p.scale);
  ctx.lineWidth = Math.max(1.5, 2 * p.scale);
  if (p.impact) {
    ctx.strokeStyle = 'rgb(255,160,40)';
    ctx.beginPath();
    ctx.arc(p.impactX, p.impactY, r, 0, 2 * Math.PI);
    ctx.moveTo(p.impactX - r, p.impactY);
    ctx.lineTo(p.impactX + r, p.impactY);
    ctx.moveTo(p.impactX, p.impactY - r);
    ctx.lineTo(p.impactX, p.impactY + r);
    ctx.stroke();
  }
  if (p.exit) {
    ctx.strokeStyle = 'rgb(255,70,70)';
    ctx.beginPath();
    ctx.moveTo(p.exitX - r, p.exitY - r);
    ctx.lineTo(p.exitX + r, p.exitY + r);
    ctx.moveTo(p.exitX - r, p.exitY + r);
    ctx.lineTo(p.exitX + r, p.exitY - r);
    ctx.stroke();
  }
}

function frame(now) {
  if (!running) return;
  const began = performance.now();
  Q.frame(now);
  sync();
  const path = Q.pathShown(), newPath = path !== shownPath;
  shownPath = path;
  for (const o of els) {
    if (!o || !o.canvas) continue;
    const drawn = blit(o);
    if (o.overlay && (drawn || newPath)) drawPath(o);
  }
  const title = Q.title();
  if (title !== lastTitle) {
    lastTitle = title;
    document.title = title;
    $('title').textContent = title;
  }
  const ended = Q.replaySummary();
  if (ended && $('note').dataset.replay !== ended) {
    $('note').dataset.replay = ended;
    note('Replay ' + ended);
  }
  const busy = performance.now() - began;
  stats.frames++;
  stats.busyMs += busy;
  stats.longestMs = Math.max(stats.longestMs, busy);
  if (!firstFrame) firstFrame = performance.now();
  requestAnimationFrame(frame);
}

function note(text) { $('note').textContent = text; }

// ---- files ----

let syncing = false;
function saveFiles() {
  if (syncing || !Q || Q.replaying()) return;
  syncing = true;
  Q.FS.syncfs(false, () => { syncing = false; });
}

function download() {
  const text = Q.recording();
  if (!text) return note('Nothing recorded: a replay\'s game is not recorded');
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
  a.download = 'quorl-replay.qr';
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  note(`Downloaded the replay of this system up to pass ${Q.passes()}, state ${Q.hash()}`);
}

async function openReplay(file) {
  const text = await file.text();
  const error = Q.openReplay(text, dpr);
  if (error) return note(`${file.name}: ${error}`);
  delete $('note').dataset.replay;
  note(`Playing ${file.name}: Pause or the space bar holds it; the game is yours when it ends`);
  build();
  scale = 0;
  fit();
}

function quit() {
  running = false;
  // Out of the game's own call: the saved game is taken as closing the window takes it.
  setTimeout(() => { Q.saveGame(); saveFiles(); });
  document.body.innerHTML = '<p class="ended">Quorl has ended. Reload the page to play again.</p>';
}

async function main() {
  Q = await QuorlModule({
    quorlDrawText: drawText,
    quorlTextLine: lineOf,
    quorlCaptionFits: captionFits,
    quorlQuit: quit,
  });
  Q.FS.mkdir(Files);
  Q.FS.mount(Q.FS.filesystems.IDBFS, {}, Files);
  await new Promise((done) => Q.FS.syncfs(true, done));
  Q.start(Files, true, dpr);
  scale = 0;
  build();
  fit();
  $('download').addEventListener('click', download);
  $('open').addEventListener('click', () => $('file').click());
  $('file').addEventListener('change', (e) => { if (e.target.files[0]) openReplay(e.target.files[0]); e.target.value = ''; });
  let refit = null;
  addEventListener('resize', () => { clearTimeout(refit); refit = setTimeout(fit, 120); });
  setInterval(saveFiles, 2000);
  // Going away saves the game to be continued, as closing the window does.
  const leaving = () => { Q.saveGame(); saveFiles(); };
  addEventListener('pagehide', leaving);
  document.addEventListener('visibilitychange', () => { if (document.hidden) leaving(); });
  requestAnimationFrame(frame);
}

main();
