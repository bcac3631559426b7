// A file's JSON text (a lathe, a head) as an object and back, written as
// people write them: lists of numbers on one line.

// The object, or null when the text is not a JSON object. Numbers that a
// double would not hold exactly (more than 15 significant digits) are kept
// as the texts they were written as, so an edit of one field never changes
// another figure.
export function parseObject(text) {
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

export const formatObject = (object) => JSON.stringify(object, null, 2)
  .replace(/\[\s+([^[\]{}]*?)\s+\]/g, (list, items) => "[" + items.split(/,\s*/).join(", ") + "]")
  .replace(/\[\s+(\[[^{}]*?\])\s+\]/g, (list, items) => "[" + items.split(/,\s*(?=\[)/).join(", ") + "]");

// The text under another name (a file imported under a name taken).
export function renamed(text, name) {
  const object = parseObject(text);
  return object ? formatObject({ ...object, name }) : text;
}
