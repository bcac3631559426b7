// The lathe panel: which lathe (#lathe), new, duplicate, delete with an
// undo, the examples copied in as new lathes, import and export, and the
// current lathe's profile as form fields in workshop words and as its JSON
// text. The fields and the text stay in step both ways.
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

const numbers = (text) => text.split(/[\s,;]+/).filter((x) => x !== "").map(value);

// How each kind of field reads its text into the key's value (undefined:
// no key) and shows the key's value (never undefined) as text.
const kKinds = {
  text: { read: (t) => t, show: String },
  number: { read: value, show: String },
  list: { read: numbers, show: (v) => [].concat(v).join(", ") },
  // "120/127, 40/60": pairs of gears keyed on one sleeve.
  pairs: {
    read: (t) => t.split(/[,;]/).map((p) => p.trim()).filter((p) => p).map((p) => p.split(/[\s/+]+/).map(value)),
    show: (v) => (Array.isArray(v) ? v : []).map((p) => [].concat(p).join("/")).join(", "),
  },
  // Ticked is the core's default (the lead screw can be reversed): no key.
  reverses: { read: (checked) => (checked ? undefined : false), show: (v) => v !== false },
  // One dial gear is a number, several a list.
  dialTeeth: { read: (t) => { const l = numbers(t); return l.length === 1 ? l[0] : l; }, show: (v) => [].concat(v).join(", ") },
};

// The profile object with one field's value set (or its key removed).
function setField(profile, field, v) {
  const { key, part } = field.dataset;
  if (part) {
    const whole = { ...(typeof profile[key] === "object" && profile[key]) };
    if (v === undefined) delete whole[part];
    else whole[part] = v;
    return setField(profile, { dataset: { key } }, Object.keys(whole).length ? whole : undefined);
  }
  if (v === undefined) delete profile[key];
  else profile[key] = v;
  return profile;
}

function fieldValue(profile, field) {
  const { key, part } = field.dataset;
  return part ? profile[key]?.[part] : profile[key];
}

// The profile as text, lists of numbers on one line as people write them.
const format = (profile) => JSON.stringify(profile, null, 2)
  .replace(/\[\s+([^[\]{}]*?)\s+\]/g, (list, items) => "[" + items.split(/,\s*/).join(", ") + "]")
  .replace(/\[\s+(\[[^{}]*?\])\s+\]/g, (list, items) => "[" + items.split(/,\s*(?=\[)/).join(", ") + "]");

export class ProfileView {
  // examples: {file name: text}.
  constructor(examples) {
    this.examples = examples;
    this.text = $("#profile");
    this.form = $("#profile-form");
    this.picker = $("#lathe");
    this.error = new ErrorLine($("#profile-error"));
    this.gearsError = new ErrorLine($("#gears-error"));
    for (const name of Object.keys(examples)) {
      $("#example").append(new Option(name.replace(/\.json$/, "").replace(/-/g, " "), name));
    }
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

  // A new lathe: handler(text), blank (null), a copy or an example.
  bindAdd(handler) {
    const click = (id, f) => $(id).addEventListener("click", f);
    click("#lathe-new", () => handler(null));
    click("#lathe-duplicate", () => {
      const profile = parse(this.text.value);
      if (profile) profile.name = `${profile.name ?? "Lathe"} (copy)`;
      handler(profile ? format(profile) : this.text.value);
    });
    click("#load-example", () => handler(this.examples[$("#example").value]));
  }

  // A lathe file chosen: handler(text, name), `text` a promise of the file's
  // text, told in the same task as the choice.
  bindImport(handler) {
    $("#import").addEventListener("change", (e) => {
      const file = e.target.files[0];
      e.target.value = "";
      if (file) handler(file.text(), file.name);
    });
  }

  // handler(id), another lathe chosen.
  bindSelect(handler) {
    this.picker.addEventListener("change", () => handler(Number(this.picker.value)));
    // A lathe's name is its profile's: renaming is editing that field.
    $("#lathe-rename").addEventListener("click", () => {
      this.open(true);
      $("#pf-name").select();
    });
  }

  // Delete: handler() removes the current lathe.
  bindRemove(handler) {
    $("#lathe-delete").addEventListener("click", () => handler());
  }

  // Undo: handler() brings back the last lathe deleted.
  bindRestore(handler) {
    $("#lathe-undo-button").addEventListener("click", () => handler());
  }

  // handler(text) resolves to the core's reading of a gear list.
  bindGears(handler) {
    this.readGears = handler;
  }

  // Export: handler() gives the current lathe's text.
  bindExport(handler) {
    $("#export").addEventListener("click", () => {
      const name = (parse(this.text.value)?.name ?? "lathe").replace(/[^\w.-]+/g, "-").toLowerCase();
      download(`${name}.json`, "application/json", handler());
    });
  }

  // The deleted lathes Undo brings back, the next one last: [name]. The focus
  // goes to Undo after a delete, to the list once nothing is left to undo.
  renderDeleted(names, deleted) {
    $("#lathe-undo").hidden = !names.length;
    const last = names[names.length - 1];
    $("#lathe-undo-text").textContent = !names.length ? "" : names.length === 1 ? `Deleted \u201c${last}\u201d.`
      : `Deleted \u201c${last}\u201d and ${names.length - 1} more.`;
    if (deleted) $("#lathe-undo-button").focus();
    else if (!names.length) this.picker.focus();
  }

  // Why a file did not become a lathe (null: it did, or none was chosen).
  renderImport(refusal) {
    $("#import-error").textContent = refusal ?? "";
  }

  // A lathe's text under another name (an imported file's name was taken).
  static renamed(text, name) {
    const profile = parse(text);
    return profile ? format({ ...profile, name }) : text;
  }

  // Tells handler the edit a field makes (see Page.edit): any field is read
  // here but a gear list, which the core reads (ranges, repeats); a list it
  // refuses leaves the lathe refused.
  fieldEdited(field, handler) {
    const key = field.dataset.key;
    if (!key) return;
    const kind = kKinds[field.dataset.kind];
    const text = field.type === "checkbox" ? field.checked : field.value.trim();
    const set = (v) => ({ key, apply: (profile) => format(setField(parse(profile) || {}, field, v)) });
    if (field.dataset.kind !== "gears" || text === "") {
      handler(set(text === "" ? undefined : kind ? kind.read(text) : text));
      return;
    }
    handler(this.readGears(text).then((answer) => answer && (answer.error
      ? { key, refuse: { ...answer, input: key } } : set(answer.gears))));
  }

  // The lathes to choose from: [{id, name, current}].
  renderLathes(lathes) {
    this.picker.replaceChildren(...lathes.map((l) => new Option(l.name, l.id, l.current, l.current)));
    $("#lathe-summary").textContent = lathes.find((l) => l.current)?.name ?? "";
  }

  // Whether the browser kept the last change.
  renderSaved(ok) {
    $("#lathe-error").textContent = ok ? "" : "Not saved: this browser will not keep it (storage full or " +
      "turned off). Your changes stay until this page closes; use Export to keep the lathe in a file.";
  }

  // The text and the fields it sets, but not the one being typed in, nor one
  // whose value the core refused (`refused`: {input, error}, or null), which
  // keeps what was typed, with the refusal beside it.
  render(text, refused) {
    if (this.text.value !== text) this.text.value = text;
    this.gearsError.show(refused);
    this.renderFault();
    const profile = parse(text);
    if (!profile) return;
    for (const field of this.form.querySelectorAll("[data-key]")) {
      if (document.activeElement === field || field.dataset.key === refused?.input) continue;
      const v = fieldValue(profile, field);
      const kind = kKinds[field.dataset.kind] ?? kKinds.list;
      if (field.type === "checkbox") field.checked = kind.show(v);
      else field.value = v === undefined ? "" : kind.show(v);
    }
  }

  // What the core says is wrong with the lathe (its answer, or null while it
  // is asked).
  // A fault in a form field being typed in waits until the field is left:
  // "16 TP" is no mistake on the way to "16 TPI". The file's text shows its
  // faults as typed (it has no one field to leave).
  renderCheck(check) {
    this.check = check;
    const field = ErrorLine.fieldOf(check);
    const typing = field && field === document.activeElement && field !== this.text;
    this.error.show(typing ? null : check);
    this.renderFault();
    if (!typing) return;
    field.addEventListener("blur", () => {
      if (this.check !== check) return;
      this.error.show(check);
      this.renderFault();
    }, { once: true });
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
