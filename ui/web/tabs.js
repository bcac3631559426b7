// The views as tabs: a click or the arrow keys choose one, as screen readers
// expect of a tab list. One listener of each kind on the list.

// chosen(id): told the tab chosen, each time. Returns choose(id), which
// shows a view without moving the focus (for the view kept from last time).
export function startTabs(list, chosen) {
  const tabs = [...list.querySelectorAll('[role="tab"]')];
  const choose = (tab, focus) => {
    for (const t of tabs) {
      const on = t === tab;
      t.setAttribute("aria-selected", on);
      t.tabIndex = on ? 0 : -1;
      document.getElementById(t.getAttribute("aria-controls")).hidden = !on;
    }
    if (focus) tab.focus();
    chosen(tab.id);
  };
  list.addEventListener("click", (e) => {
    const tab = e.target.closest('[role="tab"]');
    if (tab) choose(tab, true);
  });
  list.addEventListener("keydown", (e) => {
    const step = { ArrowRight: 1, ArrowLeft: -1 }[e.key];
    const k = tabs.indexOf(e.target);
    if (step && k >= 0) choose(tabs[(k + step + tabs.length) % tabs.length], true);
  });
  return (id) => {
    const tab = tabs.find((t) => t.id === id);
    if (tab) choose(tab, false);
  };
}
