// The Ratios view: the dialog's job, with the table in a worker.
"use strict";
const $ = (selector) => document.querySelector(selector);

const Status = {
  pending: 0,
  building: true,
  failed: false,
  set() {
    const state = this.building ? "building" : this.failed ? "failed" : this.pending ? "busy" : "ready";
    const el = $("#status");
    el.dataset.state = state;
    el.textContent = {
      building: "Building the ratio table\u2026", busy: "Working\u2026",
      ready: "Ready", failed: "The ratio table cannot be created",
    }[state];
    const off = this.building || this.failed;
    for (const id of ["#find", "#higher", "#lower"]) $(id).disabled = off;
    $("#build-progress").hidden = !this.building;
  },
};

const Ratios = {
  worker: null,
  next: 1,
  buildId: 0,
  resultIds: ["#actual", "#gear1", "#gear2", "#gear3", "#gear4", "#error"],

  startWorker() {
    const source = $("#module-source").textContent + "\n" + $("#worker-source").textContent;
    const url = URL.createObjectURL(new Blob([source], { type: "text/javascript" }));
    this.worker = new Worker(url);
    this.worker.onmessage = (event) => this.receive(event.data);
  },

  clearResults() {
    for (const id of this.resultIds) {
      $(id).textContent = "";
      $(id).classList.remove("grey");
    }
  },

  // The limits as the program takes its command line; a build under way is
  // abandoned (its worker stopped) so new limits take over at once.
  build(first, second, showNotice) {
    if (this.worker && Status.building) {
      this.worker.terminate();
      this.worker = null;
    }
    if (!this.worker) this.startWorker();
    Status.building = true;
    Status.failed = false;
    Status.pending = 0;
    this.showNotice = showNotice;
    this.clearResults();
    $("#table-error").textContent = "";
    $("#notice").textContent = "";
    Status.set();
    this.buildId = this.next++;
    this.worker.postMessage({ type: "build", id: this.buildId, first, second });
  },

  press(button) {
    if (Status.building || Status.failed) return;
    ++Status.pending;
    Status.set();
    performance.mark("press-start");  // for scripts/bench-web
    this.worker.postMessage({
      type: "press", id: this.next++, button, target: $("#target").value,
      single: $("#single").checked, even: $("#even").checked,
    });
  },

  receive(m) {
    if (m.type === "built" && m.id === this.buildId) {
      Status.building = false;
      if (!performance.getEntriesByName("ready").length) performance.mark("ready");
      const r = m.result;
      if (this.showNotice) $("#notice").textContent = r.notice.replace(/\r\n/g, "\n");
      Status.failed = r.error !== 0;
      $("#table-error").textContent = r.failure;
      $("#min-teeth").dataset.settled = r.minTeeth;
      $("#max-teeth").dataset.settled = r.maxTeeth;
    } else if (m.type === "pressed") {
      if (m.id < this.buildId) return;  // answered by the table a rebuild replaced
      const r = m.result;
      if (r.shown) {
        this.resultIds.forEach((id, k) => {
          $(id).textContent = r.texts[k];
          $(id).classList.remove("grey");
        });
        const grey = { first: ["#gear1", "#gear2"], second: ["#gear3", "#gear4"] }[r.grey] || [];
        for (const id of grey) $(id).classList.add("grey");
      }
      --Status.pending;
      Status.set();
      performance.measure("press", "press-start");
      return;
    }
    Status.set();
  },
};

$("#build").addEventListener("click", () =>
  Ratios.build($("#min-teeth").value, $("#max-teeth").value, true));
$("#find").addEventListener("click", () => Ratios.press("find"));
$("#higher").addEventListener("click", () => Ratios.press("higher"));
$("#lower").addEventListener("click", () => Ratios.press("lower"));

// Tabs: arrow keys move between them, as screen readers expect.
const tabs = [...document.querySelectorAll('[role="tab"]')];
function selectTab(tab) {
  for (const t of tabs) {
    const on = t === tab;
    t.setAttribute("aria-selected", on);
    t.tabIndex = on ? 0 : -1;
    document.getElementById(t.getAttribute("aria-controls")).hidden = !on;
  }
  tab.focus();
}
tabs.forEach((tab, k) => {
  tab.addEventListener("click", () => selectTab(tab));
  tab.addEventListener("keydown", (e) => {
    const step = { ArrowRight: 1, ArrowLeft: -1 }[e.key];
    if (step) selectTab(tabs[(k + step + tabs.length) % tabs.length]);
  });
});

// The program opens at the default limits with no notice.
Ratios.build("16", "72", false);
