// The Dividing view's three questions on the current head and their
// answers, as the core words them (what `cogwright-cli divide`, `divide
// --chart` and `helix` print): the ways to divide N or an angle, a chart of
// the best way for each number, and the change gears for a helix.
import { $, make, showCells, cellTable, download, fitTables, printSheet } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { kHeadFields } from "./head_view.js";
import { readCount } from "./counts.js";

const kWhole = (input) => ({ error: "a whole number, such as 5", input });
// An answer's cells; no headings over no rows (a no-way answer keeps its
// caption, which says what was asked).
const shown = (view) => (view?.rows.length ? view : { head: [], rows: [] });

// One of the view's questions on the head: its form, the line its errors
// are said on, how the form reads as a question and how an answer's view is
// shown.
class HeadQuestion {
  // form, error: the form's and the error line's selectors; fields: {input:
  // [selector, label]} of the form's fields the core can blame (the head's
  // file is blamed for anything else: a helix needs the table's lead screw,
  // say); read(): [the question, the keys of its counts (null: not a whole
  // number)]; show(view): the answer's view (null: none).
  constructor({ form, error, fields, read, show }) {
    this.line = new ErrorLine($(error), { ...kHeadFields, ...fields }, "head");
    this.read = read;
    this.show = show;
    this.handler = () => {};
    $(form).addEventListener("submit", (e) => {
      e.preventDefault();
      this.ask();
    });
  }

  // handler(question) when the question is asked; handler(null) when it
  // cannot be (a count that is not a whole number: said here).
  bindAsk(handler) {
    this.handler = handler;
  }

  ask() {
    const [question, counts] = this.read();
    const bad = counts.find((k) => question[k] === null);
    if (bad) this.render(kWhole(bad));
    this.handler(bad ? null : question);
  }

  // An answer (null: none, or being asked again). A fault in the question's
  // own fields is said at once; one of the head waits, like the head's own
  // line, until the head's field is left, and is left to that line when the
  // head is `headFaulty`.
  render(answer, headFaulty = false) {
    const line = this.line;
    const own = answer?.input !== undefined && Object.hasOwn(line.fields, answer.input) &&
      !Object.hasOwn(kHeadFields, answer.input);
    if (own) line.show(answer);
    else line.showWhenLeft(headFaulty ? null : answer, undefined, { alsoWhile: [$("#head-text")] });
    this.show(answer && !answer.error ? answer.view : null);
  }
}

// The view's three questions, each a HeadQuestion: divide, chart and helix.
export class DividingView {
  constructor() {
    this.divide = new HeadQuestion({
      form: "#divide-form", error: "#divide-error",
      fields: { divisions: ["#divide-what", "Divisions or angle"], top: ["#divide-top", "Ways"] },
      read: () => [{ what: $("#divide-what").value, top: readCount($("#divide-top").value) }, ["top"]],
      show: (view) => {
        $("#divide-caption").textContent = view?.caption ?? "Ways to divide";
        showCells($("#divide-ways"), shown(view));
        $("#divide-sentences").replaceChildren(...(view?.ways ?? []).map((w) => make("li", {}, w)));
        $("#divide-none").textContent = view?.none ?? "";
      },
    });
    this.chart = new HeadQuestion({
      form: "#dchart-form", error: "#dchart-error",
      fields: { from: ["#dchart-from", "From"], to: ["#dchart-to", "To"] },
      read: () => [{ from: readCount($("#dchart-from").value), to: readCount($("#dchart-to").value) }, ["from", "to"]],
      show: (view) => this.showChart(view),
    });
    this.helix = new HeadQuestion({
      form: "#helix-form", error: "#helix-error",
      fields: { lead: ["#helix-lead", "Lead"], top: ["#helix-top", "Trains"], max_error: ["#helix-max-error", "Tolerance"] },
      read: () => [{ lead: $("#helix-lead").value, top: readCount($("#helix-top").value),
                     all: $("#helix-all").checked, maxError: $("#helix-max-error").value.trim() }, ["top"]],
      show: (view) => {
        $("#helix-caption").textContent = view?.caption ?? "Helix trains";
        showCells($("#helix-trains"), shown(view));
        $("#helix-none").textContent = view?.none ?? "";
      },
    });
    this.sheet = null;
    $("#dchart-csv").addEventListener("click", () => download("dividing-chart.csv", "text/csv", this.sheet.csv));
    $("#dchart-print").addEventListener("click", () => printSheet(this.sheet.html));
  }

  // The core's counts ({divide_top, helix_top, ...}) in the fields the user
  // left empty. The tolerance is left empty: the core's own when not given.
  renderDefaults(defaults) {
    for (const [id, key] of [["#divide-top", "divide_top"], ["#helix-top", "helix_top"], ["#dchart-from", "divide_chart_from"],
      ["#dchart-to", "divide_chart_to"]]) {
      if ($(id).value === "" && defaults[key] !== undefined) $(id).value = String(defaults[key]);
    }
  }

  showChart(view) {
    this.sheet = view;
    $("#dchart-print").disabled = $("#dchart-csv").disabled = !view;
    if (!view) return $("#dchart").replaceChildren();
    $("#dchart").replaceChildren(make("h4", {}, view.title), ...view.lines.map((l) => make("p", { class: "chart-header" }, l)),
      make("p", {}, view.legend), cellTable(view));
    fitTables($("#dchart"));
  }
}
