// The Ratios view: the dialog's job. The table lives in a worker, so that
// building it (minutes at the widest limits) never freezes the page, and new
// limits may be given while it builds.
import { $ } from "./dom.js";
import { status } from "./status.js";

const kResultIds = ["#actual", "#gear1", "#gear2", "#gear3", "#gear4", "#error"];
const kGreyPairs = { first: ["#gear1", "#gear2"], second: ["#gear3", "#gear4"] };

// Owns the Ratios panel: the limits, the target and its buttons, the results.
export class RatiosView {
  constructor() {
    this.results = kResultIds.map((id) => $(id));
  }

  // "build": handler(first, second), the limits' texts; "press":
  // handler(button, {target, single, even}), for Find (or Enter), Higher, Lower.
  bind(event, handler) {
    if (event === "build") {
      $("#limits-form").addEventListener("submit", (e) => {
        e.preventDefault();
        handler($("#min-teeth").value, $("#max-teeth").value);
      });
    } else if (event === "press") {
      const question = () => ({ target: $("#target").value, single: $("#single").checked, even: $("#even").checked });
      $("#find-form").addEventListener("submit", (e) => {
        e.preventDefault();
        handler("find", question());
      });
      for (const button of ["higher", "lower"]) $("#" + button).addEventListener("click", () => handler(button, question()));
    }
  }

  // A build started: nothing to show until it ends.
  renderBuilding() {
    this.renderMatch({ texts: ["", "", "", "", "", ""], grey: "-" });
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
    for (const id of ["#find", "#higher", "#lower"]) $(id).disabled = building || failed;
    $("#build-progress").hidden = !building;
  }

  // The six texts of a match, with its 1:1 pair grey.
  renderMatch({ texts, grey }) {
    const greyed = (kGreyPairs[grey] || []).map((id) => $(id));
    this.results.forEach((output, k) => {
      output.textContent = texts[k];
      output.classList.toggle("grey", greyed.includes(output));
    });
  }
}

// The table's worker, and the questions and answers between it and the view.
export class RatioTable {
  constructor(view) {
    this.view = view;
    this.worker = null;
    this.next = 1;
    this.buildId = 0;
    this.showNotice = false;
    view.bind("build", (first, second) => this.build(first, second, true));
    view.bind("press", (button, question) => this.press(button, question));
  }

  startWorker() {
    const source = $("#module-source").textContent + "\n" + $("#worker-source").textContent;
    this.worker = new Worker(URL.createObjectURL(new Blob([source], { type: "text/javascript" })));
    this.worker.onmessage = (event) => this.receive(event.data);
  }

  // A build under way is abandoned (its worker stopped) so new limits take over at once.
  build(first, second, showNotice) {
    if (this.worker && status.building) {
      this.worker.terminate();
      this.worker = null;
    }
    if (!this.worker) this.startWorker();
    this.showNotice = showNotice;
    status.table(true, false);
    this.view.renderBuilding();
    this.buildId = this.next++;
    this.worker.postMessage({ type: "build", id: this.buildId, first, second });
  }

  press(button, { target, single, even }) {
    if (status.building || status.failed) return;
    status.begin();
    performance.mark("press-start");  // for scripts/bench-web
    this.worker.postMessage({ type: "press", id: this.next++, button, target, single, even });
  }

  receive(m) {
    if (m.type === "built" && m.id === this.buildId) {
      if (!performance.getEntriesByName("ready").length) performance.mark("ready");
      this.view.renderBuilt(m.result, this.showNotice);
      status.table(false, m.result.error !== 0);
    } else if (m.type === "pressed" && m.id > this.buildId) {
      if (m.result.shown) this.view.renderMatch(m.result);
      status.end();
      performance.measure("press", "press-start");
    }
  }
}
