// Where the banjo drawing's wheel labels go. A label sits inside its own
// wheel when it clearly fits there, else just outside the train on the side
// away from the other wheels; it never lies across a circle, on a shaft or
// on another label, so every tooth count reads however the wheels crowd.
// Pure geometry in the drawing's units: the view measures and draws.

// The nearest and farthest distance from the point (x, y) to a box
// [x0, y0, x1, y1].
function reach([x0, y0, x1, y1], x, y) {
  const near = Math.hypot(Math.max(x0 - x, 0, x - x1), Math.max(y0 - y, 0, y - y1));
  const far = Math.hypot(Math.max(x - x0, x1 - x), Math.max(y - y0, y1 - y));
  return [near, far];
}

const apart = (a, b) => a[2] <= b[0] || b[2] <= a[0] || a[3] <= b[1] || b[3] <= a[1];

// Directions (unit vectors) to try from a wheel's centre, those furthest
// in angle from every other shaft first (ties from straight up, clockwise):
// there the other wheels neither cover nor crowd a label.
function directions(x, y, others, count) {
  const towards = others.map((o) => Math.atan2(o.y - y, o.x - x));
  const clearance = (a) =>
    Math.min(Math.PI, ...towards.map((b) => Math.abs(Math.atan2(Math.sin(a - b), Math.cos(a - b)))));
  const angles = [];
  for (let k = 0; k < count; ++k) angles.push(-Math.PI / 2 + (2 * Math.PI * k) / count);
  return angles.sort((a, b) => clearance(b) - clearance(a)).map((a) => [Math.cos(a), Math.sin(a)]);
}

// wheels: [{x, y, pitch, tip, shaft}] (centre, pitch and tip radius, the
// shaft's name); shafts: [{name, x, y, radius}]; sizes: each wheel's label
// as [width, height]; gap: the clear space kept around a label. Returns,
// in the order of `wheels`, each label's centre {x, y} and, for a label
// outside its wheel, `rim`: the point of the wheel's tip circle it faces,
// where a leader from the label may start.
export function placeLabels(wheels, shafts, sizes, gap) {
  const centres = new Array(wheels.length).fill(null);
  const placed = [];
  const boxAt = (i, x, y) => {
    const [w, h] = sizes[i];
    return [x - w / 2 - gap, y - h / 2 - gap, x + w / 2 + gap, y + h / 2 + gap];
  };
  const take = (i, x, y, rim = null) => {
    centres[i] = { x, y, rim };
    placed.push(boxAt(i, x, y));
  };
  const clearOfLabels = (b) => placed.every((p) => apart(b, p));
  const outsideTip = (b, u) => reach(b, u.x, u.y)[0] > u.tip;
  const acrossNone = (b) => wheels.every((u) => [u.pitch, u.tip].every((r) => {
    const [near, far] = reach(b, u.x, u.y);
    return r < near || far < r;
  })) && shafts.every((s) => reach(b, s.x, s.y)[0] > s.radius);
  const others = (w) => shafts.filter((s) => s.name !== w.shaft);

  // Inside its own pitch circle, clear of every other wheel but a larger one
  // on the same shaft, which surrounds it: the label then reads as the inner
  // wheel's. Tried from about half way out, where neither the shaft nor
  // the rim crowds it.
  wheels.forEach((w, i) => {
    const around = (u) => u === w || (u.shaft === w.shaft && u.tip > w.pitch);
    for (const share of [0.55, 0.45, 0.65, 0.35, 0.75])
      for (const [dx, dy] of directions(w.x, w.y, others(w), 16)) {
        if (centres[i]) return;
        const x = w.x + dx * share * w.pitch, y = w.y + dy * share * w.pitch;
        const b = boxAt(i, x, y);
        if (reach(b, w.x, w.y)[1] < w.pitch && acrossNone(b) && clearOfLabels(b) &&
            wheels.every((u) => around(u) || outsideTip(b, u)))
          take(i, x, y);
      }
  });
  // Outside every wheel, as near its own as may be; far enough out nothing
  // is in the way, so each label finds a place.
  const span = wheels.reduce((s, u) => Math.max(s, Math.hypot(u.x - wheels[0].x, u.y - wheels[0].y) + u.tip), 0);
  wheels.forEach((w, i) => {
    if (centres[i]) return;
    const step = Math.max(gap, Math.min(...sizes[i]) / 4);
    const limit = w.tip + 2 * span + sizes.reduce((s, [a, b]) => s + a + b, 0);
    let best = { d: limit, dx: 0, dy: -1 };
    for (const [dx, dy] of directions(w.x, w.y, others(w), 24)) {
      for (let d = w.tip; d < best.d; d += step) {
        const b = boxAt(i, w.x + dx * d, w.y + dy * d);
        if (wheels.every((u) => outsideTip(b, u)) && clearOfLabels(b)) {
          best = { d, dx, dy };
          break;
        }
      }
    }
    const { d, dx, dy } = best;
    take(i, w.x + dx * d, w.y + dy * d, { x: w.x + dx * w.tip, y: w.y + dy * w.tip });
  });
  return centres;
}
