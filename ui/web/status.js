// The page's one status line (#status, data-state building, failed, busy or
// ready): the ratio table's state, and whether a question is being answered,
// with the way to stop one (#cancel). Views report here; only this module
// writes #status.
import { $ } from "./dom.js";

const kTexts = {
  building: "Building the ratio table\u2026", busy: "Working\u2026",
  ready: "Ready", stopped: "Stopped", failed: "The ratio table cannot be created",
};

class Status {
  // The elements by their selectors, looked up when used: the page's script
  // runs before the page is read (see main.js).
  constructor(element, cancel) {
    this.selectors = { element, cancel };
    this.building = true;
    this.failed = false;
    this.pending = 0;  // questions being answered
    this.holding = 0;  // edits being applied
    this.halted = false;
  }

  // A new table abandons the questions the old one was answering.
  table(building, failed) {
    this.building = building;
    this.failed = failed;
    this.render();
  }

  // stoppable: Stop ends the wait (a question); else only the work's end
  // does (an edit being applied, which Stop never drops).
  begin(stoppable = true) {
    this.halted &&= !stoppable;
    if (stoppable) ++this.pending;
    else ++this.holding;
    this.render();
  }

  end(stoppable = true) {
    if (stoppable) --this.pending;
    else --this.holding;
    this.render();
  }

  // Busy from now until `answer` (a promise) settles and, when it brings an
  // answer (null: replaced or cancelled), `show` has put it on the page.
  async busy(answer, show, stoppable = true) {
    this.begin(stoppable);
    try {
      const a = await answer;
      if (a) await show(a);
    } finally {
      this.end(stoppable);
    }
  }

  // The user stopped the questions being answered: said until the next one
  // begins. What was stopped may take a moment to wind down: it shows nothing.
  stopped() {
    this.halted = true;
    this.render();
  }

  get element() {
    return $(this.selectors.element);
  }

  get cancelButton() {
    return $(this.selectors.cancel);
  }

  onCancel(handler) {
    this.cancelButton.addEventListener("click", handler);
  }

  // A question being answered is what the user waits for; the table's state
  // shows when none is.
  render() {
    const state = this.holding || (this.pending && !this.halted) ? "busy" : this.building ? "building" : this.failed ? "failed" : "ready";
    this.element.dataset.state = state;
    this.element.textContent = kTexts[state === "ready" && this.halted ? "stopped" : state];
    this.cancelButton.hidden = state !== "busy";
  }
}

export const status = new Status("#status", "#cancel");
