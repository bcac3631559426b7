// The Dividing view's three questions on the current head and their
// answers, as the core words them (what `cogwright-cli divide`, `divide
// --chart` and `helix` print): the ways to divide N or an angle, a chart of
// the best way for each number, and the change gears for a helix.
import { $, make, showCells, cellTable, download, fitTables, printSheet } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { kHeadFields } from "./head_view.js";

// A count the page passes to the core as a number: digits only ("1.5" would
// be cut to 1 on the way).
const whole = (text) => (/^\d{1,9}$/.test(text.trim()) ? Number(text) : null);
const kWhole = (input) => ({ error: "a whole number, such as 5", input });

// Each question's error line blames its own fields, and the head's file for
// anything else (a helix needs the table's lead screw, say).
function errorLine(id, fields) {
  return new ErrorLine($(id), { ...kHeadFields, ...fields }, "head");
}

export class DividingView {
  constructor() {
    this.errors = {
      divide: errorLine("#divide-error", { divisions: ["#divide-what", "Divisions or angle"], top: ["#divide-top", "Ways"] }),
      chart: errorLine("#dchart-error", { from: ["#dchart-from", "From"], to: ["#dchart-to", "To"] }),
      helix: errorLine("#helix-error", { lead: ["#helix-lead", "Lead"], top: ["#helix-top", "Trains"],
                                         max_error: ["#helix-max-error", "Tolerance"] }),
    };
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

  // handler(name, question) when a question is asked (name: "divide",
  // "chart" or "helix"); handler(name, null) when it cannot be (a count
  // that is not a whole number: said here).
  bindAsk(handler) {
    const questions = {
      divide: () => [{ what: $("#divide-what").value, top: whole($("#divide-top").value) }, ["top"]],
      chart: () => [{ from: whole($("#dchart-from").value), to: whole($("#dchart-to").value) }, ["from", "to"]],
      helix: () => [{ lead: $("#helix-lead").value, top: whole($("#helix-top").value),
                      all: $("#helix-all").checked, maxError: $("#helix-max-error").value.trim() }, ["top"]],
    };
    this.ask = (name) => {
      const [question, counts] = questions[name]();
      const bad = counts.find((k) => question[k] === null);
      if (bad) this.render(name, kWhole(bad));
      handler(name, bad ? null : question);
    };
    for (const [name, form] of [["divide", "#divide-form"], ["chart", "#dchart-form"], ["helix", "#helix-form"]]) {
      $(form).addEventListener("submit", (e) => {
        e.preventDefault();
        this.ask(name);
      });
    }
  }

  // A question's answer (null: none, or being asked again). A fault in the
  // question's own fields is said at once; one of the head waits, like the
  // head's own line, until the head's field is left, and is left to that
  // line when the head is `headFaulty`.
  render(name, answer, headFaulty = false) {
    const line = this.errors[name];
    const own = answer?.input !== undefined && Object.hasOwn(line.fields, answer.input) &&
      !Object.hasOwn(kHeadFields, answer.input);
    if (own) line.show(answer);
    else line.showWhenLeft(headFaulty ? null : answer, undefined, { alsoWhile: [$("#head-text")] });
    const view = answer && !answer.error ? answer.view : null;
    this[name](view);
  }

  divide(view) {
    $("#divide-caption").textContent = view?.caption ?? "Ways to divide";
    showCells($("#divide-ways"), view ?? { head: [], rows: [] });
    $("#divide-sentences").replaceChildren(...(view?.ways ?? []).map((w) => make("li", {}, w)));
    $("#divide-none").textContent = view?.none ?? "";
  }

  helix(view) {
    $("#helix-caption").textContent = view?.caption ?? "Helix trains";
    showCells($("#helix-trains"), view ?? { head: [], rows: [] });
    $("#helix-none").textContent = view?.none ?? "";
  }

  chart(view) {
    this.sheet = view;
    $("#dchart-print").disabled = $("#dchart-csv").disabled = !view;
    if (!view) return $("#dchart").replaceChildren();
    $("#dchart").replaceChildren(make("h4", {}, view.title), ...view.lines.map((l) => make("p", { class: "chart-header" }, l)),
      make("p", {}, view.legend), cellTable(view));
    fitTables($("#dchart"));
  }
}
