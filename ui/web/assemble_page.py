#!/usr/bin/env python3
"""Makes the one self-contained cogwright.html from the page's template.

The template marks where each piece goes with a comment on a line of its own:
  <!-- style FILE -->          the CSS file inline (FILE next to the template)
  <!-- text-script ID FILE --> the file as a non-running script element with
                               that id (the worker's source, read at run time)
  <!-- module -->              the WebAssembly module's script (--module), as
                               inert text with the id "module-source": only
                               the page's workers run it
  <!-- policy -->              the Content-Security-Policy meta element (first
                               in <head>), allowing the page's one running
                               script by its hash
  <!-- profiles -->            the example profiles as JSON {file name: text}
  <!-- heads -->               the example dividing heads (--head, each), the
                               same way, with the id "heads"
  <!-- modules FILE -->        the page's ES modules, FILE and all it imports,
                               combined into one classic script

Why combine modules: the page is one file opened from disk, and a file://
page cannot load module URLs, so the modules are joined here. The scripts
stay real ES modules (each can be read, linted and loaded by a server as
is); this is a small, strict bundling of the few forms they use:
  import { a, b as c } from "./x.js";     (a whole line, at the top)
  export function f / export async function f / export class C / export const K
Each module becomes a function run once, in dependency order (imports before
their importers), that returns its exports into a registry:
  modules["x.js"] = (function () { "use strict"; ...; return { a, b }; })();
and an import becomes `const { a, b: c } = modules["x.js"];`. Exports are
bound once, so `export let` (a live binding that may change) is refused, as
is any other import or export form and any import cycle: the build fails,
naming the file and line, rather than making a page that differs from the
modules it came from.
"""
import argparse
import base64
import hashlib
import json
import os
import re
import sys

IMPORT = re.compile(r'import \{([^}]*)\} from "\./([\w-]+\.js)";\s*')
EXPORT = re.compile(r"export ((?:async )?function\*? |class |const )([\w$]+)")


def script_text(text):
    # "</script" inside a script would end the element early.
    return text.replace("</script", "<\\/script")


# What the page needs and nothing more: its one inline script (by hash), the
# WebAssembly compile and blob: workers (the core), inline styles (the page's
# and the printed chart's, which the srcdoc frame inherits this policy for;
# styles run no code, and the sheet's is the core's, not known here), and
# nothing else: no images, frames from elsewhere, or network at all.
POLICY = ("default-src 'none'; script-src %s 'wasm-unsafe-eval'; worker-src blob:; "
          "style-src 'unsafe-inline'; connect-src 'none'; "
          "base-uri 'none'; form-action 'none'; object-src 'none'")


def fail(where, message):
    sys.exit("assemble_page: %s: %s" % (where, message))


def module_function(name, text):
    """One module's text as a registry entry, and the modules it imports."""
    imports, body, exported = [], [], []
    for number, line in enumerate(text.splitlines(), 1):
        where = "%s:%d" % (name, number)
        if re.match(r"import\b", line):
            match = IMPORT.fullmatch(line)
            if not match:
                fail(where, 'only `import { names } from "./file.js";` is bundled')
            names = []
            for item in match.group(1).split(","):
                parts = item.split()
                if len(parts) == 1:
                    names.append(parts[0])
                elif len(parts) == 3 and parts[1] == "as":
                    names.append("%s: %s" % (parts[0], parts[2]))
                else:
                    fail(where, "cannot read the import list")
            imports.append(match.group(2))
            body.append('const { %s } = modules["%s"];' % (", ".join(names), match.group(2)))
        elif re.match(r"export\b", line):
            match = EXPORT.match(line)
            if not match:
                fail(where, "only `export function|class|const NAME` is bundled")
            exported.append(match.group(2))
            body.append(line[len("export "):])
        elif line.strip() == '"use strict";':
            fail(where, "modules are strict already; the bundle says so for each")
        else:
            body.append(line)
    entry = ('modules["%s"] = (function () {\n"use strict";\n%s\nreturn { %s };\n})();\n'
             % (name, "\n".join(body), ", ".join(exported)))
    return entry, imports


def bundle(here, main):
    """The modules reachable from `main`, each after the modules it imports."""
    entries, done, open_now = [], set(), []

    def visit(name):
        if name in done:
            return
        if name in open_now:
            fail(name, "import cycle: " + " -> ".join(open_now + [name]))
        open_now.append(name)
        path = os.path.join(here, name)
        if not os.path.exists(path):
            fail(open_now[-2] if len(open_now) > 1 else name, "no module " + name)
        with open(path, encoding="utf-8") as f:
            entry, imports = module_function(name, f.read())
        for dependency in imports:
            visit(dependency)
        open_now.pop()
        done.add(name)
        entries.append("// ---- %s\n%s" % (name, entry))

    visit(main)
    return "const modules = {};\n" + "".join(entries)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--template", required=True)
    parser.add_argument("--module", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--head", action="append", default=[], dest="heads")
    parser.add_argument("profiles", nargs="*")
    args = parser.parse_args()
    here = os.path.dirname(args.template)

    def read(name):
        with open(os.path.join(here, name), encoding="utf-8") as f:
            return f.read()

    def files(paths):
        texts = {}
        for path in sorted(paths):
            with open(path, encoding="utf-8") as f:
                texts[os.path.basename(path)] = f.read()
        return texts

    out = []
    scripts = []  # every inline script that runs, as it runs
    with open(args.template, encoding="utf-8") as f:
        for line in f:
            marker = re.fullmatch(r"\s*<!-- (.+?) -->\s*", line)
            if not marker:
                out.append(line)
                continue
            words = marker.group(1).split()
            if words[0] == "style":
                media = ' media="print"' if words[2:] == ["print"] else ""
                out.append("<style%s>\n%s</style>\n" % (media, read(words[1])))
            elif words[0] == "modules":
                # One scope for the registry, so nothing lands on window.
                script = "\n{\n%s}\n" % script_text(bundle(here, words[1]))
                scripts.append(script)
                out.append("<script>%s</script>\n" % script)
            elif words[0] == "text-script":
                out.append('<script id="%s" type="text/plain">\n%s</script>\n'
                           % (words[1], script_text(read(words[2]))))
            elif words[0] == "module":
                with open(args.module, encoding="utf-8") as f:
                    out.append('<script id="module-source" type="text/plain">\n%s</script>\n'
                               % script_text(f.read()))
            elif words[0] == "policy":
                out.append(None)  # filled in once every script is known
            elif words[0] in ("profiles", "heads"):
                out.append('<script id="%s" type="application/json">%s</script>\n'
                           % (words[0], script_text(json.dumps(files(getattr(args, words[0]))))))
            else:
                sys.exit("assemble_page: unknown marker " + marker.group(1))
    hashes = " ".join("'sha256-%s'" % base64.b64encode(hashlib.sha256(s.encode()).digest()).decode()
                      for s in scripts)
    policy = '<meta http-equiv="Content-Security-Policy" content="%s">\n' % (POLICY % hashes)
    with open(args.out, "w", encoding="utf-8") as f:
        f.write("".join(policy if piece is None else piece for piece in out))


if __name__ == "__main__":
    main()
