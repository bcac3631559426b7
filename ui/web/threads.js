// The Threads view: the user's lathe as a profile, and the best trains for a
// target, from the workshop layer in a module on the page's own thread (a
// query takes well under a millisecond).
"use strict";
const workshop = CogwrightModule();
const examples = JSON.parse($("#profiles").textContent);
const kStoredProfile = "cogwright.profile";

const Threads = {
  profileError() {
    const answer = JSON.parse(workshop.threadQuery($("#profile").value, "1mm", 1, 1, false));
    // A bad target cannot be the reason here, so any error is the profile's.
    return answer.error || "";
  },

  // After every change of the profile's text, from any source.
  checkProfile() {
    $("#profile-error").textContent = this.profileError();
    if (typeof ProfileForm !== "undefined") ProfileForm.show($("#profile").value);
    try {
      localStorage.setItem(kStoredProfile, $("#profile").value);
    } catch (e) {
      // Storage may be off (private windows, file:// in some browsers): keep going.
    }
  },

  find() {
    const start = performance.now();
    Status.pending++;
    Status.set();
    const starts = Number.parseInt($("#starts").value, 10);
    this.query = { target: $("#thread-target").value, starts: Number.isFinite(starts) ? starts : 0 };
    const answer = JSON.parse(workshop.threadQuery(
      $("#profile").value, this.query.target, this.query.starts, 10, $("#thread-all").checked));
    $("#profile-error").textContent = this.profileError();
    $("#thread-error").textContent = answer.error && !$("#profile-error").textContent ? answer.error : "";
    this.show(answer);
    Status.pending--;
    Status.set();
    performance.measure("thread-query", { start, end: performance.now() });  // for scripts/bench-web
  },

  show(answer) {
    const body = $("#trains tbody");
    body.replaceChildren();
    if (answer.error) return;
    $("#trains-caption").textContent = "Best trains for " + answer.target.text +
      (answer.fit_checked ? " (fit on the banjo checked)" : " (fit not checked: no module and centre distance)");
    answer.trains.forEach((t, k) => {
      const row = document.createElement("tr");
      row.dataset.ratio = t.ratio;
      row.dataset.gears = t.gears.join(",");
      row.dataset.kind = t.kind;
      row.dataset.gearbox = t.gearbox === null ? "null" : t.gearbox;
      row.dataset.fits = String(t.fits);
      const error = t.exact ? "exact" : (t.error * 100).toFixed(4) + "%";
      const cells = [k + 1, t.kind, t.gears.join(" "), t.gearbox ?? "-", t.ratio,
        t.lead_mm.toFixed(5), t.tpi.toFixed(3), error, t.fits === null ? "-" : t.fits ? "yes" : "no"];
      for (const text of cells) {
        const cell = document.createElement("td");
        cell.textContent = text;
        row.append(cell);
      }
      row.tabIndex = 0;
      row.addEventListener("click", () => this.select(row));
      row.addEventListener("keydown", (e) => {
        if (e.key === "Enter" || e.key === " ") {
          e.preventDefault();
          this.select(row);
        }
      });
      body.append(row);
    });
    const first = body.querySelector("tr");
    if (first) this.select(first);
  },

  // Draws a result row's train on the banjo.
  select(row) {
    for (const r of row.parentElement.children) r.setAttribute("aria-selected", r === row);
    const gears = row.dataset.gears.split(",").map(Number);
    Banjo.draw($("#profile").value, gears, this.query.target, this.query.starts);
  },
};

for (const name of Object.keys(examples)) $("#example").append(new Option(name, name));
$("#load-example").addEventListener("click", () => {
  $("#profile").value = examples[$("#example").value];
  Threads.checkProfile();
});
$("#import").addEventListener("change", async (e) => {
  const file = e.target.files[0];
  if (!file) return;
  $("#profile").value = await file.text();
  Threads.checkProfile();
});
$("#export").addEventListener("click", () => {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([$("#profile").value], { type: "application/json" }));
  link.download = "lathe-profile.json";
  link.click();
});
$("#profile").addEventListener("input", () => Threads.checkProfile());
$("#thread-find").addEventListener("click", () => Threads.find());

let stored = null;
try {
  stored = localStorage.getItem(kStoredProfile);
} catch (e) {
  stored = null;
}
$("#profile").value = stored || examples[Object.keys(examples)[0]];
$("#profile-error").textContent = Threads.profileError();
