// The Ratios view: the dialog's job. The table lives in a worker, so that
// building it (minutes at the widest limits) never freezes the page, and new
// limits may be given while it builds. Find may be pressed while it builds:
// the worker answers in order, as soon as the table exists.
import { $ } from "./dom.js";
import { status } from "./status.js";
import { startCoreWorker } from "./core.js";

const kResultIds = ["#actual", "#gear1", "#gear2", "#gear3", "#gear4", "#error"];
const kGreyPairs = { first: ["#gear1", "#gear2"], second: ["#gear3", "#gear4"] };

// Owns the Ratios panel: the limits, the target and its buttons, the results.
export class RatiosView {
  constructor() {
    this.results = kResultIds.map((id) => $(id));
  }

  // The limits' texts as they stand (kept from the last visit, or the defaults).
  get limits() {
    return [$("#min-teeth").value, $("#max-teeth").value];
  }

  // Build table: handler(first, second), the limits' texts.
  bindBuild(handler) {
    $("#limits-form").addEventListener("submit", (e) => {
      e.preventDefault();
      handler($("#min-teeth").value, $("#max-teeth").value);
    });
  }

  // handler(button, {target, single, even}), for Find (or Enter), Higher, Lower.
  bindPress(handler) {
    const question = () => ({ target: $("#target").value, single: $("#single").checked, even: $("#even").checked });
    $("#find-form").addEventListener("submit", (e) => {
      e.preventDefault();
      handler("find", question());
    });
    for (const button of ["higher", "lower"]) $("#" + button).addEventListener("click", () => handler(button, question()));
  }

  // A build started: nothing to show until it ends.
  renderBuilding() {
    this.renderMatch({ texts: ["", "", "", "", "", ""], grey: "-", readAs: "" });
    $("#notice").textContent = $("#table-error").textContent = "";
    this.renderButtons(true, false);
  }

  // The core's answer to a build; the notice only when the user gave limits.
  renderBuilt(r, showNotice) {
    if (showNotice) $("#notice").textContent = r.notice.replace(/\r\n/g, "\n");
    $("#table-error").textContent = r.failure;
    $("#min-teeth").dataset.settled = r.minTeeth;
    $("#max-teeth").dataset.settled = r.maxTeeth;
    this.renderButtons(false, r.error !== 0);
  }

  renderButtons(building, failed) {
    for (const id of ["#find", "#higher", "#lower"]) $(id).disabled = failed;
    $("#build-progress").hidden = !building;
  }

  // The six texts of a match, with its 1:1 pair grey, and the number the
  // target was read as when its text is not a plain number (the error is
  // worked from that number).
  renderMatch({ texts, grey, readAs }) {
    $("#target-read").textContent = readAs ? `Target read as ${readAs}` : "";
    const greyed = (kGreyPairs[grey] || []).map((id) => $(id));
    this.results.forEach((output, k) => {
      output.textContent = texts[k];
      output.classList.toggle("grey", greyed.includes(output));
    });
  }
}

// The Ratios view's controller: the table's worker, and the questions and
// answers between it and the view.
export class RatiosController {
  // kept: KeptInputs; built(): told when a table is first ready (or cannot
  // be made).
  constructor(kept, built = () => {}) {
    kept.keep(...["#min-teeth", "#max-teeth", "#target", "#single", "#even"].map($));
    this.view = new RatiosView();
    this.built = built;
    this.worker = null;
    this.next = 1;
    this.buildId = 0;
    this.pressing = 0;  // presses sent to this worker and not yet answered
    this.failed = false;
    this.showNotice = false;
    this.view.bindBuild((first, second) => this.build(first, second, true));
    this.view.bindPress((button, question) => this.press(button, question));
  }

  // The table at the limits kept from the last visit: the dialog opens at
  // its limits, with no notice at the default ones.
  open() {
    const limits = this.view.limits;
    this.build(...limits, limits.join() !== "16,72");
  }

  // Every build has a fresh worker: the one before is stopped mid-build, and
  // the memory of a huge table goes with it.
  build(first, second, showNotice) {
    if (this.worker) this.worker.terminate();
    for (; this.pressing; --this.pressing) status.end();
    this.worker = startCoreWorker();
    this.worker.onmessage = (event) => this.receive(event.data);
    this.showNotice = showNotice;
    this.failed = false;
    status.table(true, false);
    this.view.renderBuilding();
    this.buildId = this.next++;
    this.worker.postMessage({ type: "build", id: this.buildId, first, second });
  }

  press(button, { target, single, even }) {
    if (this.failed) return;
    status.begin();
    ++this.pressing;
    this.worker.postMessage({ type: "press", id: this.next++, button, target, single, even });
  }

  receive(m) {
    if (m.type === "built" && m.id === this.buildId) {
      this.failed = m.result.error !== 0;
      this.view.renderBuilt(m.result, this.showNotice);
      this.built();  // before the status says ready: what it starts is part of the page's start
      status.table(false, this.failed);
    } else if (m.type === "pressed" && m.id > this.buildId) {
      if (m.result.shown) this.view.renderMatch(m.result);
      --this.pressing;
      status.end();
    }
  }
}
