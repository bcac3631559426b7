// Form fields that edit one key of a file's JSON object each (a lathe's
// profile, a dividing head), in workshop words: <input data-key="gears"
// data-kind="list">, and data-part for a key of an object value. Each kind
// says how a field's text becomes the key's value and back.
import { parseObject, formatObject, WrittenNumber } from "./json_text.js";

// A number where JSON takes one exactly, else the text (a fraction, say).
function value(text) {
  return /^-?\d{1,15}(\.\d+)?$/.test(text) && text.replace(/[-.]/g, "").replace(/^0+/, "").length <= 15
    ? Number(text) : text;
}

const numbers = (text) => text.split(/[\s,;]+/).filter((x) => x !== "").map(value);
const listText = (v) => [].concat(v).join(", ");

// How each kind of field reads its text into the key's value (undefined:
// no key) and shows the key's value (never undefined) as text; `file` is
// the whole object, for a default that depends on another key.
const kKinds = {
  text: { read: (t) => t, show: String },
  number: { read: value, show: String },
  list: { read: numbers, show: listText },
  // "120/127, 40/60": pairs of gears keyed on one sleeve.
  pairs: {
    read: (t) => t.split(/[,;]/).map((p) => p.trim()).filter((p) => p).map((p) => p.split(/[\s/+]+/).map(value)),
    show: (v) => (Array.isArray(v) ? v : []).map((p) => [].concat(p).join("/")).join(", "),
  },
  // "15, 16, 17; 21, 23": a list per plate.
  plates: {
    read: (t) => t.split(";").map(numbers).filter((p) => p.length),
    show: (v) => (Array.isArray(v) ? v : []).map(listText).join("; "),
  },
  // Tooth counts as a list, or a text the core reads ("20-48/4, 2x56").
  gearText: { read: (t) => (/^[\d\s,]+$/.test(t) ? numbers(t) : t), show: (v) => (Array.isArray(v) ? listText(v) : String(v)) },
  // Ticked is the core's default (the lead screw can be reversed): no key.
  reverses: { read: (checked) => (checked ? undefined : false), show: (v) => v !== false },
  // Ticked: true; the core's default is false.
  flag: { read: (checked) => (checked ? true : undefined), show: (v) => v === true },
  // A head indexes differentially by default when it has gears.
  differential: { read: (checked) => (checked ? undefined : false),
                  show: (v, file) => v === true || (v === undefined && file.gears !== undefined) },
  // One dial gear is a number, several a list.
  dialTeeth: { read: (t) => { const l = numbers(t); return l.length === 1 ? l[0] : l; }, show: listText },
};

// The object with one field's value set (or its key removed).
function setField(file, field, v) {
  const { key, part } = field.dataset;
  if (part) {
    const whole = { ...(typeof file[key] === "object" && !(file[key] instanceof WrittenNumber) && file[key]) };
    if (v === undefined) delete whole[part];
    else whole[part] = v;
    return setField(file, { dataset: { key } }, Object.keys(whole).length ? whole : undefined);
  }
  if (v === undefined) delete file[key];
  else file[key] = v;
  return file;
}

// The value the field's text gives its key (undefined: none).
export function readField(field) {
  const text = field.type === "checkbox" ? field.checked : field.value.trim();
  const kind = kKinds[field.dataset.kind];
  return text === "" ? undefined : kind ? kind.read(text) : text;
}

// The edit setting the field's key to `v`: {key, apply(text) => text}.
export function fieldEdit(field, v) {
  return { key: field.dataset.key, apply: (text) => formatObject(setField(parseObject(text) || {}, field, v)) };
}

// Every field of `form` from the object (null: the text is no object, the
// fields stay), but the one being typed in and one whose key is `keep`.
export function fillFields(form, file, keep) {
  if (!file) return;
  for (const field of form.querySelectorAll("[data-key]")) {
    if (document.activeElement === field || field.dataset.key === keep) continue;
    const { key, part } = field.dataset;
    const v = part ? file[key]?.[part] : file[key];
    const kind = kKinds[field.dataset.kind] ?? kKinds.list;
    if (field.type === "checkbox") field.checked = kind.show(v, file);
    else field.value = v === undefined ? "" : kind.show(v, file);
  }
}
