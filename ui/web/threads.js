// The Threads view's question and answer: a target, and the best trains for
// it on the user's lathe, as the core words them (the same cells
// `cogwright-cli thread` prints). Choosing a row shows that train.
import { $, showCells } from "./dom.js";
import { ErrorLine } from "./input_fields.js";

export class ThreadsView {
  constructor() {
    this.table = $("#trains");
    this.body = this.table.tBodies[0];
    this.error = new ErrorLine($("#thread-error"));
    this.onSelect = () => {};
  }

  // "find": handler({target, starts, all}); "select": handler(gears), the
  // chosen row's tooth counts, or null when no row is left to choose.
  bind(event, handler) {
    if (event === "find") {
      $("#thread-form").addEventListener("submit", (e) => {
        e.preventDefault();
        const starts = Number.parseInt($("#starts").value, 10);
        handler({ target: $("#thread-target").value, starts: Number.isFinite(starts) ? starts : 0,
                  all: $("#thread-all").checked });
      });
    } else if (event === "select") {
      this.onSelect = handler;
      this.body.addEventListener("click", (e) => {
        const row = e.target.closest("tr");
        if (row) this.choose(row);
      });
      this.body.addEventListener("keydown", (e) => {
        const row = e.target.closest("tr");
        if (!row || (e.key !== "Enter" && e.key !== " ")) return;
        e.preventDefault();
        this.choose(row);
      });
    }
  }

  // The answer's table, its first row chosen. The error is left to the
  // profile's own line when `profileFaulty` (the profile is read first).
  render(answer, profileFaulty) {
    this.error.show(profileFaulty ? null : answer);
    if (answer.error) {
      showCells(this.table, { head: [], rows: [] });
      $("#trains-caption").textContent = "Best trains";
    } else {
      $("#trains-caption").textContent = answer.view.caption;
      showCells(this.table, answer.view).forEach((row, k) => {
        const t = answer.trains[k];  // the same train as the view's row k
        Object.assign(row.dataset, { ratio: t.ratio, gears: t.gears.join(","), kind: t.kind,
                                     gearbox: String(t.gearbox), fits: String(t.fits) });
        row.tabIndex = 0;
      });
    }
    this.choose(this.body.rows[0] || null);
  }

  choose(row) {
    for (const r of this.body.rows) r.setAttribute("aria-selected", r === row);
    this.onSelect(row ? row.dataset.gears.split(",").map(Number) : null);
  }
}
