// The page's workers, one script for both: the ratio table's (a RatioSession
// per build, so a new table never shares a heap with an old, larger one) and
// the workshop's (every lathe query). The module's script runs first in the
// same worker, then this. Messages are handled in order, so a press after a
// build sees the new table.
"use strict";
const core = CogwrightModule();
let session = null;
// What a question asks when the user does not say: the core's, read once.
const defaults = JSON.parse(core.defaultsQuery());

// The workshop's questions by name: each answer is the core's JSON, parsed
// here so the page's thread only receives it.
const kQueries = {
  thread: (profile, target, starts, all) => core.threadQuery(profile, target, starts, defaults.top, all),
  train: (profile, gears, target, starts) => core.trainQuery(profile, gears, target, starts),
  chart: (profile, series) => core.chartQuery(profile, series),
  suggest: (profile, series) => core.suggestQuery(profile, series, defaults.advice_from, defaults.advice_to),
  gears: (text) => core.gearListQuery(text),
  profile: (profile) => core.profileQuery(profile),
  series: () => core.seriesList(),
  head: (head) => core.headQuery(head),
  divide: (head, what, top) => core.divideQuery(head, what, top),
  divideChart: (head, from, to) => core.divideChartQuery(head, from, to),
  helix: (head, lead, top, all, maxError) => core.helixQuery(head, lead, top, all, maxError),
  gear: (head, g) => core.gearQuery(head, g.teeth, g.system, g.size, g.pressureAngle, g.helix, g.shift, g.pin),
  defaults: () => core.defaultsQuery(),
};

self.onmessage = (event) => {
  const m = event.data;
  if (m.type === "build") {
    if (session) session.delete();
    session = new core.RatioSession();
    self.postMessage({ type: "built", id: m.id, result: session.build(m.first, m.second) });
  } else if (m.type === "press") {
    self.postMessage({ type: "pressed", id: m.id, result: session.press(m.button, m.target, m.single, m.even) });
  } else if (m.type === "ask") {
    self.postMessage({ type: "answer", id: m.id, answer: JSON.parse(kQueries[m.query](...m.args)) });
  }
};
self.postMessage({ type: "loaded" });
