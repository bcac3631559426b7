// The lathe panel: which lathe (its controls, a StoreControls), and the
// current lathe's profile as form fields in workshop words and as its JSON
// text. The fields and the text stay in step both ways.
import { $ } from "./dom.js";
import { ErrorLine } from "./input_fields.js";
import { parseObject as parse } from "./json_text.js";
import { fieldEdit, fillFields, readField } from "./json_form.js";
import { StoreControls } from "./store_controls.js";

export class ProfileView {
  constructor() {
    this.text = $("#profile");
    this.form = $("#profile-form");
    this.controls = new StoreControls("lathe", "lathe", {
      import: "#import", export: "#export", importError: "#import-error", example: "#example", loadExample: "#load-example",
    });
    this.error = new ErrorLine($("#profile-error"));
    this.gearsError = new ErrorLine($("#gears-error"));
  }

  // A lathe's name is its profile's: renaming is editing that field.
  rename() {
    this.open(true);
    $("#pf-name").select();
  }

  // The current lathe's name, of [{id, name, current}], in the panel's summary.
  renderSummary(names) {
    $("#lathe-summary").textContent = names.find((l) => l.current)?.name ?? "";
  }

  // A new text for the current lathe, typed or from a field: handler(text).
  bindEdit(handler) {
    this.text.addEventListener("input", () => {
      const text = this.text.value;
      handler({ key: "*", apply: () => text });
    });
    // A gear list is read when the user is done with it ("20-" is no
    // mistake while "20-80/5" is being typed); any other field as typed.
    const whole = (field) => field.type === "checkbox" || field.dataset.kind === "gears";
    this.form.addEventListener("input", (e) => {
      if (!whole(e.target)) this.fieldEdited(e.target, handler);
    });
    this.form.addEventListener("change", (e) => {
      if (whole(e.target)) this.fieldEdited(e.target, handler);
    });
  }

  // handler(text) resolves to the core's reading of a gear list.
  bindGears(handler) {
    this.readGears = handler;
  }

  // Tells handler the edit a field makes (see Page.edit): any field is read
  // here but a gear list, which the core reads (ranges, repeats); a list it
  // refuses leaves the lathe refused.
  fieldEdited(field, handler) {
    const key = field.dataset.key;
    if (!key) return;
    const text = field.type === "checkbox" ? field.checked : field.value.trim();
    if (field.dataset.kind !== "gears" || text === "") {
      handler(fieldEdit(field, readField(field)));
      return;
    }
    handler(this.readGears(text).then((answer) => answer && (answer.error
      ? { key, refuse: { ...answer, input: key } } : fieldEdit(field, answer.gears))));
  }

  // The text and the fields it sets, but not the one being typed in, nor one
  // whose value the core refused (`refused`: {input, error}, or null), which
  // keeps what was typed, with the refusal beside it.
  render(text, refused) {
    if (this.text.value !== text) this.text.value = text;
    this.gearsError.show(refused);
    this.renderFault();
    fillFields(this.form, parse(text), refused?.input);
  }

  // What the core says is wrong with the lathe (its answer, or null while it
  // is asked).
  // A fault in a form field being typed in waits until the field is left:
  // "16 TP" is no mistake on the way to "16 TPI". The file's text shows its
  // faults as typed (it has no one field to leave).
  renderCheck(check) {
    this.error.showWhenLeft(check, () => this.renderFault(), { asTyped: this.text });
  }

  // The panel's summary says what the error lines say, for a closed panel.
  renderFault() {
    $("#lathe-fault").textContent = [this.gearsError, this.error].find((e) => e.shown)?.element.textContent ?? "";
  }

  // Open while the lathe lacks what a thread needs (lead screw, gears) or
  // has a fault; the user closes or opens it after that.
  open(yes) {
    $("#lathe-panel").open = yes;
  }

  get faulty() {
    return this.error.shown || this.gearsError.shown;
  }
}
