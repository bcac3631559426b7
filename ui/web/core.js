// The workshop's questions, answered by the WebAssembly core on the page's
// own thread (a query takes well under a millisecond; only the ratio table
// needs a worker). Each answer is the core's JSON, parsed: the results with
// their `view` (every text the page shows), or {error, input?}.

// Made at the first question, not on import: compiling the module takes a
// while, and the ratio table's worker should be under way by then.
let instance = null;
const core = () => (instance ??= CogwrightModule());  // the factory the module's script defines

export const workshop = {
  thread: (profile, target, starts, top, all) => JSON.parse(core().threadQuery(profile, target, starts, top, all)),
  // gears: the tooth counts, in order.
  train: (profile, gears, target, starts) => JSON.parse(core().trainQuery(profile, gears.join(","), target, starts)),
  // series: their names, as `cogwright-cli chart --list` gives them.
  chart: (profile, series) => JSON.parse(core().chartQuery(profile, series.join(","))),
  suggest: (profile, series, from, to) => JSON.parse(core().suggestQuery(profile, series.join(","), from, to)),
  series: () => JSON.parse(core().seriesList()),
};
