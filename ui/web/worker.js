// The ratio table's worker: the module's script runs first in this same
// worker, then this. One RatioSession holds the table; messages are handled
// in order, so a press after a build sees the new table.
"use strict";
const core = CogwrightModule();
let session = new core.RatioSession();

self.onmessage = (event) => {
  const m = event.data;
  if (m.type === "build") {
    // A fresh session frees the old table before the new one is made.
    session.delete();
    session = new core.RatioSession();
    self.postMessage({ type: "built", id: m.id, result: session.build(m.first, m.second) });
  } else if (m.type === "press") {
    self.postMessage({
      type: "pressed", id: m.id,
      result: session.press(m.button, m.target, m.single, m.even),
    });
  }
};
self.postMessage({ type: "loaded" });
