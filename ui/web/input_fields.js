// Where each input the core can blame lives on the page. The core's errors
// name the data ("target", "gears", "profile", ...); the page words them for
// its user with its own field's label, and marks that field aria-invalid.
import { $ } from "./dom.js";

// input: [the field's selector, or null when the page has none; its label].
const kFields = {
  target: ["#thread-target", "Thread or feed"],
  starts: ["#starts", "Starts"],
  series: ["#chart-series", "Thread series"],
  from: [null, "Smallest candidate gear"],
  to: [null, "Largest candidate gear"],
  train: ["#trains", "Train"],
  profile: ["#profile", "Lathe profile"],
  name: ["#pf-name", "Lathe name"],
  leadscrew: ["#pf-leadscrew", "Lead screw"],
  fixed_ratio: ["#pf-fixed", "Spindle to stud ratio"],
  gears: ["#pf-gears", "Gears you own"],
  module: ["#pf-module", "Module"],
  dp: ["#pf-dp", "Diametral pitch"],
  centre_distance_mm: ["#pf-centre", "Stud to lead-screw centre distance"],
  stud_shaft_mm: ["#pf-stud", "Stud shaft diameter"],
  leadscrew_shaft_mm: ["#pf-screw", "Lead-screw shaft diameter"],
  slot_mm: ["#pf-slot", "Banjo slot"],
  trains: ["#pf-trains", "Trains to try"],
  tumbler: ["#pf-tumbler", "Reversing"],
  thread_dial: ["#pf-dial-teeth", "Thread dial"],
  keyed: ["#pf-keyed", "Gears keyed together"],
  first_driver: ["#pf-first", "Spindle gear"],
  max_error_percent: ["#pf-tolerance", "Tolerance"],
  gearbox: ["#profile", "Gearbox"],
};

// The core names a file's value by its place in the file ("leadscrew":
// "0" ..., "gears"[1]: 7 ...); beside a form field's label that place is the
// field, so it goes. The file's text as a whole keeps it.
function inFieldWords(error, input, selector, whole) {
  if (selector === whole || !selector) return error;
  const place = `"${input}"`;
  if (!error.startsWith(place)) return error;
  return error.slice(place.length).replace(/^(\[\d+\]|\.\w+)*: /, "");
}

// Each marked field with the error lines that blame it: several views can
// blame one field (the gears, say), and it stays marked until all clear it.
const blamed = new Map();

// One place an error is shown, such as #thread-error.
export class ErrorLine {
  // fields: {input: [selector, label]}, where `whole` names the field that
  // holds the whole file, blamed for any key the table does not know.
  constructor(element, fields = kFields, whole = "profile") {
    this.element = element;
    this.field = null;
    this.fields = fields;
    this.whole = whole;
  }

  // [selector, label] of the field the answer's error blames; [null, ""] when none.
  place(answer) {
    if (!answer?.error || answer.input === undefined) return [null, ""];
    // "__proto__" names no field either: it is the file's.
    return Object.hasOwn(this.fields, answer.input) ? this.fields[answer.input] : this.fields[this.whole];
  }

  // Shows the answer's error, or clears the line when there is none (or no
  // answer).
  show(answer) {
    this.latest = answer;
    const [selector, label] = this.place(answer);
    const error = answer?.error ?? "";
    this.element.textContent = label
      ? `${label}: ${inFieldWords(error, answer.input, selector, this.fields[this.whole][0])}` : error;
    this.blame(selector && $(selector));
  }

  // The field the answer's error blames, or null.
  fieldOf(answer) {
    const [selector] = this.place(answer);
    return selector && $(selector);
  }

  // Shows the answer's error, but one in a field being typed in only once
  // the field is left: "16 TP" is no mistake on the way to "16 TPI". Unless
  // the field is `asTyped` (a file's text has no one field to leave); while
  // one of `alsoWhile` is typed in (the file's text, which writes every
  // field), the error waits for it too. A newer answer shown meanwhile wins.
  // then(): after each showing.
  showWhenLeft(answer, then = () => {}, { asTyped = null, alsoWhile = [] } = {}) {
    const field = this.fieldOf(answer);
    const typing = field && [field, ...alsoWhile].find((f) => f === document.activeElement && f !== asTyped);
    this.show(typing ? null : answer);
    this.latest = answer;
    then();
    if (!typing) return;
    typing.addEventListener("blur", () => {
      if (this.latest !== answer) return;
      this.show(answer);
      then();
    }, { once: true });
  }

  get shown() {
    return this.element.textContent !== "";
  }

  // Marks the field invalid and names this line among its descriptions, so
  // a screen reader reads the error with the field.
  blame(field) {
    if (this.field) {
      const lines = blamed.get(this.field);
      lines.delete(this);
      describe(this.field, this.element.id, false);
      if (!lines.size) {
        blamed.delete(this.field);
        this.field.removeAttribute("aria-invalid");
      }
    }
    this.field = field || null;
    if (!this.field) return;
    if (!blamed.has(this.field)) blamed.set(this.field, new Set());
    blamed.get(this.field).add(this);
    this.field.setAttribute("aria-invalid", "true");
    describe(this.field, this.element.id, true);
  }
}

// Adds or removes `id` in the field's aria-describedby, keeping the others.
function describe(field, id, on) {
  const ids = (field.getAttribute("aria-describedby") ?? "").split(/\s+/).filter((x) => x && x !== id);
  if (on) ids.push(id);
  if (ids.length) field.setAttribute("aria-describedby", ids.join(" "));
  else field.removeAttribute("aria-describedby");
}
