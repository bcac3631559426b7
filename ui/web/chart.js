// The Chart view: the best train for every thread of the chosen series on
// the lathe of the Threads view, to print or download, and which one gear to
// add to the set.
"use strict";
const Chart = {
  answer: null,

  chosen() {
    return [...document.querySelectorAll("#chart-series input:checked")].map((c) => c.value);
  },

  build() {
    Status.pending++;
    Status.set();
    const names = this.chosen();
    this.answer = names.length ? JSON.parse(workshop.chartQuery($("#profile").value, names.join(","))) : null;
    $("#chart-error").textContent = !names.length ? "Choose at least one series." : this.answer.error || "";
    if (this.answer && this.answer.error) this.answer = null;
    this.show();
    Status.pending--;
    Status.set();
  },

  error(train) {
    return train.exact ? "exact" : (train.error * 100).toFixed(4) + "%";
  },

  show() {
    const out = $("#chart");
    out.replaceChildren();
    $("#chart-print").disabled = $("#chart-csv").disabled = !this.answer;
    if (!this.answer) return;
    const titles = Object.fromEntries(this.series.map((s) => [s.name, s.title]));
    let table = null;
    let current = null;
    for (const row of this.answer.rows) {
      if (row.series !== current) {
        current = row.series;
        const section = document.createElement("section");
        const heading = document.createElement("h3");
        heading.textContent = titles[current];
        table = document.createElement("table");
        table.innerHTML = "<thead><tr><th>Size</th><th>Lead</th><th>Gears</th><th>Gearbox</th><th>Error</th></tr></thead><tbody></tbody>";
        section.append(heading, table);
        out.append(section);
      }
      const t = row.train;
      const cells = [row.size, row.target, t ? t.gears.join(" ") : "no train fits", t ? t.gearbox ?? "-" : "",
        t ? this.error(t) : ""];
      const tr = document.createElement("tr");
      for (const text of cells) {
        const td = document.createElement("td");
        td.textContent = text;
        tr.append(td);
      }
      table.tBodies[0].append(tr);
    }
  },

  csv() {
    const quote = (text) => /[",\n]/.test(text) ? '"' + text.replace(/"/g, '""') + '"' : text;
    const lines = ["series,size,target,kind,gears,gearbox,error,exact,fits"];
    for (const row of this.answer.rows) {
      const t = row.train;
      lines.push([row.series, quote(row.size), row.target, t ? t.kind : "", t ? t.gears.join(" ") : "",
        t && t.gearbox !== null ? quote(t.gearbox) : "", t ? String(t.error) : "", t ? String(t.exact) : "",
        t && t.fits !== null ? String(t.fits) : ""].join(","));
    }
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([lines.join("\n") + "\n"], { type: "text/csv" }));
    link.download = "thread-chart.csv";
    link.click();
  },

  suggest() {
    const names = this.chosen();
    if (!names.length) {
      $("#chart-error").textContent = "Choose at least one series.";
      return;
    }
    Status.pending++;
    Status.set();
    const answer = JSON.parse(workshop.suggestQuery($("#profile").value, names.join(","), 15, 130));
    $("#chart-error").textContent = answer.error || "";
    const out = $("#advice");
    out.replaceChildren();
    if (!answer.error) {
      const pct = (x) => (x * 100).toFixed(4) + "%";
      const table = document.createElement("table");
      table.innerHTML = "<caption>Which one gear to add (15 to 130 teeth)</caption><thead><tr><th>Gear</th>" +
        "<th>Threads without a train</th><th>Worst |error|</th><th>Mean |error|</th></tr></thead><tbody></tbody>";
      const rows = [["now", answer.before], ...answer.candidates.map((c) => ["+" + c.teeth, c.after])];
      for (const [gear, s] of rows) {
        const tr = table.tBodies[0].insertRow();
        for (const text of [gear, s.without_train, pct(s.worst_error), pct(s.mean_error)]) tr.insertCell().textContent = text;
      }
      out.append(table);
    }
    Status.pending--;
    Status.set();
  },
};

Chart.series = JSON.parse(workshop.seriesList());
for (const s of Chart.series) {
  const label = document.createElement("label");
  const box = document.createElement("input");
  box.type = "checkbox";
  box.value = s.name;
  box.checked = s.name === "iso-coarse" || s.name === "unc";
  label.append(box, " " + s.title);
  $("#chart-series").append(label);
}
$("#chart-build").addEventListener("click", () => Chart.build());
$("#chart-print").addEventListener("click", () => window.print());
$("#chart-csv").addEventListener("click", () => Chart.csv());
$("#suggest").addEventListener("click", () => Chart.suggest());
