// The Threads view's lathe panel: the profile's JSON text, the form fields
// that edit it, the examples to start from, import and export. The fields
// and the text stay in step both ways.
import { $, download } from "./dom.js";
import { ErrorLine } from "./input_fields.js";

// The profile as an object, or null when the text is not a JSON object.
// Numbers that a double would not hold exactly (more than 15 significant
// digits) are kept as the texts they were written as, so an edit of one
// field never changes another figure.
function parse(text) {
  const exactly = (key, value, context) => {
    if (typeof value !== "number" || !context || !context.source) return value;
    const digits = context.source.replace(/^-/, "").replace(/e.*$/i, "").replace(".", "").replace(/^0+/, "");
    return digits.length > 15 ? context.source : value;
  };
  try {
    const value = JSON.parse(text, exactly);
    return value && typeof value === "object" && !Array.isArray(value) ? value : null;
  } catch (e) {
    return null;
  }
}

// A number where JSON takes one exactly, else the text (a fraction, say).
function value(text) {
  return /^-?\d{1,15}(\.\d+)?$/.test(text) && text.replace(/[-.]/g, "").replace(/^0+/, "").length <= 15
    ? Number(text) : text;
}

// The profile's text with one field's key set from its text (or removed when
// the field is blank); every other key stays as it was.
function edit(profileText, field) {
  const profile = parse(profileText) || {};
  const text = field.value.trim();
  const { key, kind } = field.dataset;
  if (text === "") delete profile[key];
  else if (kind === "text") profile[key] = text;
  else if (kind === "number") profile[key] = value(text);
  else profile[key] = text.split(/[\s,]+/).filter((x) => x !== "").map(value);
  // Lists of numbers stay on one line, as people write them.
  return JSON.stringify(profile, null, 2)
    .replace(/\[\s+([^[\]{}]*?)\s+\]/g, (list, items) => "[" + items.split(/,\s*/).join(", ") + "]");
}

export class ProfileView {
  constructor(examples) {
    this.examples = examples;
    this.text = $("#profile");
    this.form = $("#profile-form");
    this.error = new ErrorLine($("#profile-error"));
    for (const name of Object.keys(examples)) $("#example").append(new Option(name, name));
    $("#export").addEventListener("click", () => download("lathe-profile.json", "application/json", this.text.value));
  }

  // "edit": handler(text), for every new text of the profile, whichever way
  // it came: typed, a field edited, an example chosen or a file imported.
  bind(event, handler) {
    if (event !== "edit") return;
    this.text.addEventListener("input", () => handler(this.text.value));
    this.form.addEventListener("input", (e) => {
      if (e.target.dataset.key) handler(edit(this.text.value, e.target));
    });
    $("#load-example").addEventListener("click", () => handler(this.examples[$("#example").value]));
    $("#import").addEventListener("change", async (e) => {
      const file = e.target.files[0];
      if (file) handler(await file.text());
    });
  }

  // The text, the fields it sets (but not the one being typed in), and what
  // the core says is wrong with it.
  render(text, check) {
    if (this.text.value !== text) this.text.value = text;
    const profile = parse(text);
    if (profile) {
      for (const field of this.form.querySelectorAll("[data-key]")) {
        if (document.activeElement === field) continue;
        const v = profile[field.dataset.key];
        field.value = v === undefined ? "" : Array.isArray(v) ? v.join(", ") : String(v);
      }
    }
    this.error.show(check);
  }

  get faulty() {
    return this.error.shown;
  }
}
