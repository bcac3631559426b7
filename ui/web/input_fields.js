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

// The core names a profile's value by its place in the file ("leadscrew":
// "0" ..., "gears"[1]: 7 ...); beside a form field's label that place is the
// field, so it goes. The file's text as a whole keeps it.
function inFieldWords(error, input, selector) {
  if (selector === "#profile" || !selector) return error;
  const place = `"${input}"`;
  if (!error.startsWith(place)) return error;
  return error.slice(place.length).replace(/^(\[\d+\]|\.\w+)*: /, "");
}

// Each marked field with the error lines that blame it: several views can
// blame one field (the gears, say), and it stays marked until all clear it.
const blamed = new Map();

// One place an error is shown, such as #thread-error.
export class ErrorLine {
  constructor(element) {
    this.element = element;
    this.field = null;
  }

  // Shows the answer's error, or clears the line when there is none (or no
  // answer). A key the table does not know is still the profile's, whatever
  // it is named ("__proto__" names no field either).
  show(answer) {
    const error = answer?.error ?? "";
    const [selector, label] = !error || answer.input === undefined ? [null, ""]
      : Object.hasOwn(kFields, answer.input) ? kFields[answer.input] : kFields.profile;
    this.element.textContent = label ? `${label}: ${inFieldWords(error, answer.input, selector)}` : error;
    this.blame(selector && $(selector));
  }

  // The field the answer's error blames, or null.
  static fieldOf(answer) {
    if (!answer?.error || answer.input === undefined) return null;
    return $((Object.hasOwn(kFields, answer.input) ? kFields[answer.input] : kFields.profile)[0] ?? "#none");
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
