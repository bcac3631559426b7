// A file's JSON text (a lathe, a head) as an object and back, written as
// people write them: lists of numbers on one line.

// A number whose text in the file says more than the number it reads as
// (15.00000000000000000, 1.50, 1e2): kept as that text, so that the object
// written back (formatObject) has it byte for byte. Shown as its text.
export class WrittenNumber {
  constructor(text) {
    this.text = text;
  }

  toString() {
    return this.text;
  }

  toJSON() {
    return JSON.rawJSON(this.text);
  }
}

// The object, or null when the text is not a JSON object. Every number is
// kept as written: one whose text is not the one JSON gives for its value is
// a WrittenNumber, so an edit of one field never changes another figure.
export function parseObject(text) {
  const asWritten = (key, value, context) =>
    typeof value === "number" && context?.source !== undefined && JSON.stringify(value) !== context.source
      ? new WrittenNumber(context.source) : value;
  try {
    const value = JSON.parse(text, asWritten);
    return value && typeof value === "object" && !Array.isArray(value) ? value : null;
  } catch (e) {
    return null;
  }
}

export const formatObject = (object) => JSON.stringify(object, null, 2)
  .replace(/\[\s+([^[\]{}]*?)\s+\]/g, (list, items) => "[" + items.split(/,\s*/).join(", ") + "]")
  .replace(/\[\s+(\[[^{}]*?\])\s+\]/g, (list, items) => "[" + items.split(/,\s*(?=\[)/).join(", ") + "]");

// The text under another name (a file imported under a name taken).
export function renamed(text, name) {
  const object = parseObject(text);
  return object ? formatObject({ ...object, name }) : text;
}
