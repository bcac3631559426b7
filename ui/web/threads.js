// The Threads view's question and answer: a target (typed, or a standard
// size picked from the core's series), and the best trains for it on the
// current lathe, as the core words them (the same cells `cogwright-cli
// thread` prints). Choosing a row shows that train.
import { $, make, showCells } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { readCount } from "./counts.js";

const kWholeStarts = { error: "a whole number, such as 1 or 2", input: "starts" };

export class ThreadsView {
  constructor() {
    this.table = $("#trains");
    this.body = this.table.tBodies[0];
    this.error = new ErrorLine($("#thread-error"));
    this.onSelect = () => {};
  }

  // The built-in series' sizes ([{name, title, sizes}]) to pick a target from.
  renderSeries(series) {
    $("#thread-standard").append(...series.map((s) =>
      make("optgroup", { label: s.title }, ...s.sizes.map((size) => new Option(size, `${size} ${s.name}`)))));
  }

  // handler({target, starts, all}) when a question is asked, or
  // handler(null) when it cannot be (starts not a whole number: said here).
  bindFind(handler) {
    const ask = () => {
      const starts = readCount($("#starts").value);
      if (starts === null) {
        this.render(kWholeStarts);
        handler(null);
      } else {
        handler({ target: $("#thread-target").value, starts, all: $("#thread-all").checked });
      }
    };
    $("#thread-form").addEventListener("submit", (e) => {
      e.preventDefault();
      ask();
    });
    this.ask = ask;
    $("#thread-standard").addEventListener("change", (e) => {
      if (!e.target.value) return;
      const target = $("#thread-target");
      target.value = e.target.value;
      target.dispatchEvent(new Event("input", { bubbles: true }));  // kept like a typed one
      ask();
    });
  }

  // handler(gears), the chosen row's tooth counts, or null when no row is
  // left to choose.
  bindSelect(handler) {
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

  // The answer's table, its first row chosen; an error clears the table and
  // the drawing it showed. The error is left to the profile's own line when
  // `profileFaulty` (the profile is read first).
  render(answer, profileFaulty) {
    this.error.show(profileFaulty ? null : answer);
    if (!answer || answer.error) {
      showCells(this.table, { head: [], rows: [] });
      $("#trains-caption").textContent = "Best trains";
    } else {
      // Without rows the caption says why, and what ticking the box would add.
      const none = answer.view.none &&
        answer.view.none + (answer.view.more ? " Tick \u201cAlso trains that do not fit, are too far off or cut the other hand\u201d to see them." : "");
      $("#trains-caption").textContent = none || answer.view.caption;
      showCells(this.table, answer.view).forEach((row, k) => {
        const t = answer.trains[k];  // the same train as the view's row k
        // cuts: the hand the train cuts; targetHand false marks the other hand.
        Object.assign(row.dataset, { ratio: t.ratio, gears: t.gears.join(","), kind: t.kind,
                                     gearbox: String(t.gearbox), fits: String(t.fits),
                                     cuts: t.cuts, targetHand: String(t.cuts_target_hand) });
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
