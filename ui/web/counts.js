// The counts a user types (ways, trains, starts, a chart's range) as the
// page passes them to the core: a whole number of at most nine digits, with
// blanks around it, or null. Anything else is refused here rather than cut:
// "2.5" on its way to the core would become 2, and "1e3" or "0x10" would be
// read as numbers the user never typed.
export function readCount(text) {
  const t = text.trim();
  return /^\d{1,9}$/.test(t) ? Number(t) : null;
}
