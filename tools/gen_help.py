#!/usr/bin/env python3
"""Builds the help pages shipped in package/doc from one UTF-8 source per language.

Sources: tools/help/en.txt, tools/help/zh-Hans.txt, tools/help/zh-Hant.txt. Each holds every page
of its language as blocks "=== <path> | <title>" followed by the page body in HTML; a link
"@/<path>" is relative to the help folder's root and becomes a relative link of the page.
Output: package/doc/english (ASCII; its Chinese examples as numeric character references), package/doc/gb2312 (GBK bytes, charset=gbk: the examples of
Big5-side words need the traditional characters GBK has and GB2312 lacks) and package/doc/big5
(Big5 bytes, charset=big5), CR LF line ends.

The generator refuses to write when a page links to a page of its language that does not
exist, when the three languages do not hold the same pages, or when a character has no code in
the target encoding. `--check` compares the committed output instead of writing it.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LANGUAGES = [
    # source, folder, encoding, charset, html lang, labels (home, contents, previous, next)
    ("en.txt", "english", "ascii", "iso-8859-1", "en", ("Help home", "User guide", "Previous", "Next")),
    ("zh-Hans.txt", "gb2312", "gbk", "gbk", "zh-CN", ("帮助首页", "用户指南", "上一页", "下一页")),
    ("zh-Hant.txt", "big5", "big5", "big5", "zh-TW", ("說明首頁", "使用者指南", "上一頁", "下一頁")),
]
STYLE = ("body{font-family:Tahoma,Verdana,sans-serif;font-size:10pt;margin:16px 24px;max-width:46em}"
         "h1{font-size:14pt;color:#1f3f7f}h2{font-size:12pt}"
         ".nav{font-size:9pt;border-bottom:1px solid #ccc;padding-bottom:4px;margin-bottom:12px}"
         ".foot{font-size:9pt;border-top:1px solid #ccc;padding-top:4px;margin-top:16px}")


def parse(path):
    pages = []
    current = None
    for line in open(path, encoding="utf-8").read().splitlines():
        if line.startswith("=== "):
            name, _, title = line[4:].partition(" | ")
            current = [name.strip(), title.strip(), []]
            pages.append(current)
        elif current is None:
            if line.strip() and not line.startswith("#"):
                raise SystemExit(f"{path}: text before the first page: {line!r}")
        else:
            current[2].append(line)
    return [(name, title, "\n".join(body).strip()) for name, title, body in pages]


def relative_root(name):
    return "../" * name.count("/")


def guide_order(pages):
    contents = dict((n, b) for n, _, b in pages).get("userguide/0_contents.htm", "")
    return re.findall(r'href="@/(userguide/[^"]+)"', contents)


def render(name, title, body, labels, charset, lang, order, titles):
    root = relative_root(name)
    home, contents, previous, following = labels
    body = body.replace('href="@/', 'href="' + root).replace('src="@/', 'src="' + root)
    foot = ""
    if name in order:
        i = order.index(name)
        links = []
        if i > 0:
            links.append(f'<a href="{root}{order[i - 1]}">{previous}: {titles[order[i - 1]]}</a>')
        if i + 1 < len(order):
            links.append(f'<a href="{root}{order[i + 1]}">{following}: {titles[order[i + 1]]}</a>')
        foot = '<div class="foot">' + " | ".join(links) + "</div>\n"
    return (
        '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">\n'
        f'<html lang="{lang}">\n<head>\n'
        f'<meta http-equiv="Content-Type" content="text/html; charset={charset}">\n'
        f"<title>{title} - Zelvo</title>\n<style>{STYLE}</style>\n</head>\n<body>\n"
        f'<div class="nav"><a href="{root}index.html">{home}</a> | '
        f'<a href="{root}userguide/0_contents.htm">{contents}</a></div>\n'
        f"<h1>{title}</h1>\n{body}\n{foot}</body>\n</html>\n"
    )


def build():
    outputs = {}
    names = None
    for source, folder, encoding, charset, lang, labels in LANGUAGES:
        pages = parse(os.path.join(ROOT, "tools", "help", source))
        page_names = [n for n, _, _ in pages]
        if len(set(page_names)) != len(page_names):
            raise SystemExit(f"{source}: a page is given twice")
        if names is None:
            names = set(page_names)
        elif set(page_names) != names:
            raise SystemExit(f"{source}: pages differ from en.txt: {sorted(set(page_names) ^ names)}")
        titles = {n: t for n, t, _ in pages}
        order = guide_order(pages)
        for name, title, body in pages:
            for target in re.findall(r'href="@/([^"#]+)', body):
                if target not in names:
                    raise SystemExit(f"{source}: {name} links to the missing page {target}")
            for picture in re.findall(r'src="@/([^"]+)', body):
                if not os.path.isfile(os.path.join(ROOT, "package", "doc", folder, *picture.split("/"))):
                    raise SystemExit(f"{source}: {name} shows the missing picture {picture} (tools/help_pictures.sh)")
            html = render(name, title, body, labels, charset, lang, order, titles)
            try:
                errors = "xmlcharrefreplace" if encoding == "ascii" else "strict"
                data = html.replace("\n", "\r\n").encode(encoding, errors)
            except UnicodeEncodeError as error:
                bad = html[error.start:error.end]
                raise SystemExit(f"{source}: {name}: {bad!r} has no {encoding} code")
            outputs[os.path.join("package", "doc", folder, *name.split("/"))] = data
    return outputs


def main():
    check = "--check" in sys.argv[1:]
    outputs = build()
    stale = []
    for relative, data in sorted(outputs.items()):
        path = os.path.join(ROOT, relative)
        if check:
            old = open(path, "rb").read() if os.path.exists(path) else None
            if old != data:
                stale.append(relative)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)
    if stale:
        raise SystemExit("out of date: " + ", ".join(stale))
    print(f"{len(outputs)} pages {'checked' if check else 'written'}")


if __name__ == "__main__":
    main()
