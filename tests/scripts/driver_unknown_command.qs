# exit 2
get BodyCount
frobnicate Labill
get BodyCount
