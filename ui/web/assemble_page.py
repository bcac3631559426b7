#!/usr/bin/env python3
"""Makes the one self-contained cogwright.html from the page's template.

The template marks where each piece goes with a comment on a line of its own:
  <!-- style FILE -->          the CSS file inline (FILE next to the template)
  <!-- style FILE print -->    the same for print only
  <!-- script FILE -->         the script inline
  <!-- text-script ID FILE --> the file as a non-running script element with
                               that id (the worker's source, read at run time)
  <!-- module -->              the WebAssembly module's script (--module), with
                               the id "module-source" so the worker can reuse it
  <!-- profiles -->            the example profiles as JSON {file name: text}
"""
import argparse
import json
import os
import re
import sys


def script_text(text):
    # "</script" inside a script would end the element early.
    return text.replace("</script", "<\\/script")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--template", required=True)
    parser.add_argument("--module", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("profiles", nargs="*")
    args = parser.parse_args()
    here = os.path.dirname(args.template)

    def read(name):
        with open(os.path.join(here, name), encoding="utf-8") as f:
            return f.read()

    profiles = {}
    for path in sorted(args.profiles):
        with open(path, encoding="utf-8") as f:
            profiles[os.path.basename(path)] = f.read()

    out = []
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
            elif words[0] == "script":
                out.append("<script>\n%s</script>\n" % script_text(read(words[1])))
            elif words[0] == "text-script":
                out.append('<script id="%s" type="text/plain">\n%s</script>\n'
                           % (words[1], script_text(read(words[2]))))
            elif words[0] == "module":
                with open(args.module, encoding="utf-8") as f:
                    out.append('<script id="module-source">\n%s</script>\n' % script_text(f.read()))
            elif words[0] == "profiles":
                out.append('<script id="profiles" type="application/json">%s</script>\n'
                           % script_text(json.dumps(profiles)))
            else:
                sys.exit("assemble_page: unknown marker " + marker.group(1))
    with open(args.out, "w", encoding="utf-8") as f:
        f.write("".join(out))


if __name__ == "__main__":
    main()
