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
    this.undo = null;
    for (const name of Object.keys(examples)) {
      $("#example").append(new Option(name.replace(/\.json$/, "").replace(/-/g, " "), name));
    }
  }

  // "edit": handler(text), a new text for the current lathe, typed or from a
  // field. "add": handler(text), a new lathe (blank, a copy, an example, a
  // file). "select": handler(id). "remove": handler() returns what "restore":
  // handler(token) takes back. "gears": handler(text) resolves to the core's
  // reading of a gear list. "export": handler() gives the current lathe's text.
  bind(event, handler) {
    const click = (id, f) => $(id).addEventListener("click", f);
    if (event === "edit") {
      this.text.addEventListener("input", () => handler(this.text.value));
      // A gear list is read when the user is done with it ("20-" is no
      // mistake while "20-80/5" is being typed); any other field as typed.
      const whole = (field) => field.type === "checkbox" || field.dataset.kind === "gears";
      this.form.addEventListener("input", (e) => {
        if (!whole(e.target)) this.fieldEdited(e.target, handler);
      });
      this.form.addEventListener("change", (e) => {
        if (whole(e.target)) this.fieldEdited(e.target, handler);
      });
    } else if (event === "add") {
      click("#lathe-new", () => handler(null));
      click("#lathe-duplicate", () => {
        const profile = parse(this.text.value);
        if (profile) profile.name = `${profile.name ?? "Lathe"} (copy)`;
        handler(profile ? format(profile) : this.text.value);
      });
      click("#load-example", () => handler(this.examples[$("#example").value]));
      $("#import").addEventListener("change", async (e) => {
        const file = e.target.files[0];
        e.target.value = "";
        if (file) handler(await file.text());
      });
    } else if (event === "select") {
      this.picker.addEventListener("change", () => handler(Number(this.picker.value)));
      // A lathe's name is its profile's: renaming is editing that field.
      click("#lathe-rename", () => {
        this.open(true);
        $("#pf-name").select();
      });
    } else if (event === "remove") {
      click("#lathe-delete", () => {
        const name = this.picker.selectedOptions[0]?.text ?? "";
        this.undo = handler();
        $("#lathe-undo-text").textContent = `Deleted \u201c${name}\u201d.`;
        $("#lathe-undo").hidden = false;
        $("#lathe-undo-button").focus();
      });
    } else if (event === "restore") {
      click("#lathe-undo-button", () => {
        $("#lathe-undo").hidden = true;
        if (this.undo) handler(this.undo);
        this.undo = null;
        this.picker.focus();
      });
    } else if (event === "gears") {
      this.readGears = handler;
    } else if (event === "export") {
      click("#export", () => {
        const name = (parse(this.text.value)?.name ?? "lathe").replace(/[^\w.-]+/g, "-").toLowerCase();
        download(`${name}.json`, "application/json", handler());
      });
    }
  }

  // A gear list is read by the core (ranges, repeats); any other field here.
  async fieldEdited(field, handler) {
    if (!field.dataset.key) return;
    const kind = kKinds[field.dataset.kind];
    const text = field.type === "checkbox" ? field.checked : field.value.trim();
    let v = text === "" ? undefined : kind ? kind.read(text) : text;
    if (field.dataset.kind === "gears" && v !== undefined) {
      const answer = await this.readGears(text);
      if (!answer || field.value.trim() !== text) return;  // replaced by a newer edit
      this.gearsError.show(answer);
      if (answer.error) return;
      v = answer.gears;
    } else if (field.dataset.kind === "gears") {
      this.gearsError.show(null);
    }
    handler(format(setField(parse(this.text.value) || {}, field, v)));
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

  // The text, the fields it sets (but not the one being typed in), and what
  // the core says is wrong with it (check: the core's answer, or null while
  // it is asked).
  render(text) {
    if (this.text.value !== text) this.text.value = text;
    const profile = parse(text);
    if (!profile) return;
    for (const field of this.form.querySelectorAll("[data-key]")) {
      if (document.activeElement === field) continue;
      const v = fieldValue(profile, field);
      const kind = kKinds[field.dataset.kind] ?? kKinds.list;
      if (field.type === "checkbox") field.checked = kind.show(v);
      else field.value = v === undefined ? "" : kind.show(v);
    }
  }

  renderCheck(check) {
    this.error.show(check);
  }

  // Open while the lathe lacks what a thread needs (lead screw, gears) or
  // has a fault; the user closes or opens it after that.
  open(yes) {
    $("#lathe-panel").open = yes;
  }

  get faulty() {
    return this.error.shown;
  }
}
