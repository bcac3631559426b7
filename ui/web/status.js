// The page's one status line (#status, data-state building, failed, busy or
// ready): the ratio table's state, and whether a question is being answered.
// Views report here; only this module writes #status.
import { $ } from "./dom.js";

const kTexts = {
  building: "Building the ratio table\u2026", busy: "Working\u2026",
  ready: "Ready", failed: "The ratio table cannot be created",
};

class Status {
  constructor(element) {
    this.element = element;
    this.building = true;
    this.failed = false;
    this.pending = 0;
  }

  // A new table abandons the questions the old one was answering.
  table(building, failed) {
    this.building = building;
    this.failed = failed;
    if (building) this.pending = 0;
    this.render();
  }

  begin() {
    ++this.pending;
    this.render();
  }

  end() {
    --this.pending;
    this.render();
  }

  // Runs work that answers on this thread, busy while it runs.
  busy(work) {
    this.begin();
    try {
      return work();
    } finally {
      this.end();
    }
  }

  render() {
    const state = this.building ? "building" : this.failed ? "failed" : this.pending ? "busy" : "ready";
    this.element.dataset.state = state;
    this.element.textContent = kTexts[state];
  }
}

export const status = new Status($("#status"));
