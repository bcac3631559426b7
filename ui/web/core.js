// The WebAssembly core, always in a worker: the module's script and the
// workers' own (#module-source + #worker-source, both inert text in the page)
// made into one Blob URL, so the page's thread never compiles or runs the
// core and nothing the core does can freeze the page.

let url = null;
let ahead = null;  // the worker started ahead, until taken

function newCoreWorker() {
  url ??= URL.createObjectURL(new Blob(
    [document.getElementById("module-source").textContent, "\n",
     document.getElementById("worker-source").textContent], { type: "text/javascript" }));
  return new Worker(url);
}

// Starts a worker for the next startCoreWorker() to take, so that the core
// compiles while the rest of the page is still being read.
export function startCoreWorkerAhead() {
  ahead ??= newCoreWorker();
}

// A worker running the core (the one started ahead, if any); it posts
// {type: "loaded"} once compiled.
export function startCoreWorker() {
  const worker = ahead ?? newCoreWorker();
  ahead = null;
  return worker;
}

// The channels a Stop keeps (see Workshop.cancel).
const kKept = new Set(["gears", "profile", "import", "series", "defaults", "head", "head-import"]);

// The workshop's questions, answered in a worker of their own. Each answer
// is the core's JSON, parsed: the results with their `view` (every text the
// page shows), or {error, input?}. Questions are asked on a channel (one per
// kind of question a view asks): a newer question on a channel replaces the
// older, whose promise resolves to null; so does every question cancelled.
export class Workshop {
  constructor() {
    this.next = 1;
    this.waiting = new Map();  // id -> {channel, message, resolve}, in the order asked
    this.worker = null;  // started at the first question
  }

  start() {
    this.loaded = false;
    this.worker = startCoreWorker();
    this.worker.onmessage = ({ data }) => {
      if (data.type === "loaded") this.loaded = true;
      if (data.type !== "answer" || !this.waiting.has(data.id)) return;
      const { resolve } = this.waiting.get(data.id);
      this.waiting.delete(data.id);
      resolve(data.answer);
    };
  }

  ask(channel, query, ...args) {
    if (!this.worker) this.start();
    let restart = false;
    let first = true;
    for (const [id, w] of this.waiting) {
      if (w.channel === channel) {
        // The oldest question is the one the worker is on: only a new worker
        // stops it (a chart of every series takes seconds).
        restart ||= first && this.loaded;
        this.waiting.delete(id);
        w.resolve(null);
      }
      first = false;
    }
    if (restart) this.restart();
    return new Promise((resolve) => {
      const message = { type: "ask", id: this.next++, query, args };
      this.waiting.set(message.id, { channel, message, resolve });
      this.worker.postMessage(message);
    });
  }

  get working() {
    return this.waiting.size > 0;
  }

  // Stops the work the user waits for (a search, a chart, advice): each of
  // those questions gets null. Readings of what the user typed (a lathe, a
  // gear list) and the series' names are quick and part of an edit, so they
  // are asked again on the fresh worker, never dropped.
  cancel() {
    for (const [id, w] of this.waiting) {
      if (kKept.has(w.channel)) continue;
      w.resolve(null);
      this.waiting.delete(id);
    }
    if (this.worker) this.restart();
  }

  // A fresh worker, asked again whatever is still waiting.
  restart() {
    this.worker.terminate();
    this.start();
    for (const w of this.waiting.values()) this.worker.postMessage(w.message);
  }

  // The queries, as the core names their arguments.
  // The core's own number of rows (its defaults, asked in the worker).
  thread(profile, target, starts, all) {
    return this.ask("thread", "thread", profile, target, starts, all);
  }
  // gears: the tooth counts, in order.
  train(profile, gears, target, starts) {
    return this.ask("train", "train", profile, gears.join(","), target, starts);
  }
  // series: their names, as `cogwright-cli chart --list` gives them.
  chart(profile, series) {
    return this.ask("chart", "chart", profile, series.join(","));
  }
  // Over the core's own range of candidate gears.
  suggest(profile, series) {
    return this.ask("suggest", "suggest", profile, series.join(","));
  }
  gearList(text) {
    return this.ask("gears", "gears", text);
  }
  // {ok: true}, or the profile's first fault: {error, input, missing}. The
  // profile's text, or a file's bytes (an ArrayBuffer) as they are on disk.
  profile(profile, channel = "profile") {
    return this.ask(channel, "profile", profile);
  }
  series() {
    return this.ask("series", "series");
  }
  // The core's defaults: {top, divide_top, divide_chart_from, ...}.
  defaults() {
    return this.ask("defaults", "defaults");
  }
  // {ok: true, title}, or the head's first fault: {error, input, missing}.
  // The head's text, or a file's bytes, as for profile().
  head(head, channel = "head") {
    return this.ask(channel, "head", head);
  }
  // what: N or an angle, as typed; top: how many ways.
  divide(head, what, top) {
    return this.ask("divide", "divide", head, what, top);
  }
  divideChart(head, from, to) {
    return this.ask("divideChart", "divideChart", head, from, to);
  }
  // lead and maxError as typed (maxError "": the core's tolerance).
  helix(head, lead, top, all, maxError) {
    return this.ask("helix", "helix", head, lead, top, all, maxError);
  }
  // gear: the form's texts as typed ({teeth, system, size, pressureAngle,
  // helix, shift, pin}; "" for an option not given).
  gear(head, gear) {
    return this.ask("gear", "gear", head, gear);
  }
}
