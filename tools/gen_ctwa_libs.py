#!/usr/bin/env python3
"""Generates the six system word adjustment libs of the ctwa folder and proves them on
real text.

Inputs (tools/README.md names versions and licences):
  - OpenCC 1.4.2 dictionaries (npm package `opencc`, plain text; tools/opencc_data.py):
    STPhrases, TSPhrases, TWPhrases, TWPhrasesRev, the Taiwan variant dictionaries; and
    Debian's `opencc` command running configurations of our own on those dictionaries,
    which gives the right conversion of every word and sentence (s2tw / s2twp, tw2s / tw2sp);
  - the tuning half of the corpus (benchmarks/data/corpus, tools/gen_corpus.py): message
    catalog sentences in both scripts; the held-out half is never read here;
  - the tuning half of rime-essay's word list (/usr/share/rime-data/essay.txt, Debian
    package `rime-essay`), with each word's frequency;
  - tools/lib_contexts.txt: a few hand-written sentences with their right conversion, for
    word boundaries the texts above do not show;
  - the built zelvoc: every word before adjustment is what the program's own tables make of
    the source text, so the libs fit the tables they run after.

    tools/gen_ctwa_libs.py [--zelvoc build/native/dist/zelvoc] [--out package/ctwa]
                           [--essay /usr/share/rime-data/essay.txt]

Per direction the libs are built in application order over one model of the pipeline
(the tables' output, then each item as a replace-all, in lib order and ascending byte
order inside a lib):
  base lib    phrase conversions of OpenCC whose characters the tables get wrong (items
              keep the length of the text). An item is kept only when, over the tuning
              texts, the places it changes to the right text outweigh the places where it
              spoils text that was right (最多只能 must not become 最多隻能); the weight of an
              essay word is its frequency, of a sentence 1;
  pdaf lib    mainland word <-> Taiwan word (TWPhrases / TWPhrasesRev); the word before is what
              tables and base lib make of the source word. One-character words are left out
              (埠 is a port in 商埠, not a network port). An item whose result a later item of
              the lib would match again (程式 -> 程序, then 程序 -> 进程) is moved into the base
              lib, so it runs first;
  final fix   the model runs base and pdaf libs over every tuning text; where the result
              differs from the reference in a place an item changed, the wrong text with one
              or two characters of context becomes an item giving the right text, unless
              that wrong text also stands in a right result. The reference's sentence can be
              wrong where its segmentation picks a wrong word, so a fix is kept only when the
              reference gives its result on the fix's own source text alone, and never when
              it turns a Taiwan word of TWPhrases back into the mainland word (or, B2G, a
              mainland word of TWPhrasesRev back into the Taiwan word).
No item holds the white square or a character the tables turn into it. At the end the
script runs the built zelvoc with the new libs over the tuning texts, stops if any result
differs from the model's, and prints the figures quoted in tools/README.md.
"""

import argparse
import bisect
import difflib
import os
import shutil
import sys
import tempfile

import conversion_check as check
import gen_corpus
import opencc_data

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
KIND_NAMES = {
    1: "base lib (gbk)",
    2: "base lib (big5)",
    3: "phrase difference adjustment foundation lib (gbk)",
    4: "phrase difference adjustment foundation lib (big5)",
    5: "final fix lib (gbk)",
    6: "final fix lib (big5)",
}
FILES = {1: "basegb.txt", 2: "basebig.txt", 3: "pdafgb.txt", 4: "pdafbig.txt", 5: "ffgb.txt", 6: "ffbig.txt"}
KINDS = {"G2B": (2, 4, 6), "B2G": (1, 3, 5)}
WHITE_SQUARE = "\u25a1"
CONTEXT_WEIGHT = 1000  # weight of a hand-written sentence of tools/lib_contexts.txt


def is_han_text(text):
    return any(check.is_han(c) for c in text)


def differing_runs(opcodes, gap=2):
    """The places where two texts differ, as (i1, i2, j1, j2): runs of differing opcodes
    with at most `gap` equal characters between them, so a fix with two characters of
    context never cuts through another difference (处理进程号 against 处理程序号 is one
    place, 进程 -> 程序, not a deletion and an insertion that would each lose a character)."""
    runs = []
    for tag, i1, i2, j1, j2 in opcodes:
        if tag == "equal":
            continue
        if runs and i1 - runs[-1][1] <= gap:
            runs[-1] = (runs[-1][0], i2, runs[-1][2], j2)
        else:
            runs.append((i1, i2, j1, j2))
    return runs


def source_span(tables, got, a0, a1):
    """The span of the tables' output (one character per source character) that became
    got[a0:a1], widened to whole changes where an item changed the length: (s0, s1, exact),
    exact when got[a0:a1] is all that span became."""
    exact = True
    s0 = s1 = None
    for tag, i1, i2, j1, j2 in difflib.SequenceMatcher(None, tables, got, autojunk=False).get_opcodes():
        if s0 is None and j1 <= a0 < j2:
            s0 = i1 + (a0 - j1) if tag == "equal" else i1
            exact = exact and (tag == "equal" or a0 == j1)
        if s1 is None and j1 < a1 <= j2:
            s1 = i1 + (a1 - j1) if tag == "equal" else i2
            exact = exact and (tag == "equal" or a1 == j2)
    if s0 is None or s1 is None:
        return 0, 0, False
    return s0, s1, exact


class Text:
    """One tuning text of one direction: source, the tables' output, the references."""

    __slots__ = ("source", "tables", "ref_tables", "ref_full", "human", "weight", "hand_written")

    def __init__(self, source, ref_tables, ref_full, human=None, weight=1, hand_written=False):
        self.source, self.ref_tables, self.ref_full, self.human, self.weight = \
            source, ref_tables, ref_full, human, weight
        self.hand_written = hand_written
        self.tables = None


def lib_sort_key(codec):
    return lambda item: item[0].encode(codec)


def apply_items(text, items):
    for before, after in items:
        if before in text:
            text = text.replace(before, after)
    return text


class Direction:
    def __init__(self, name, reference, zelvoc, essay, contexts):
        self.name = name
        corpus, self.source_codec, self.target_codec, self.zelvoc_from, self.cfg_tables, self.cfg_full = \
            check.DIRECTIONS[name]
        self.reference = reference
        self.zelvoc = zelvoc
        self.essay = essay
        self.contexts = contexts
        self.stats = {}
        self.stuck = set()

    # --- texts ---------------------------------------------------------------------------

    def encodable_source(self, s):
        return check.encodable(s, self.source_codec)

    def target_or_none(self, t):
        return t if check.encodable(t, self.target_codec) else None

    def tables(self, sources):
        out = self.zelvoc.run([s.encode(self.source_codec) for s in sources], self.zelvoc_from, 3)
        return [o.decode(self.target_codec, errors="replace") for o in out]

    def to_source_script(self, lines):
        """Text of the other script turned into this direction's source (round trip)."""
        return self.reference.convert("t2s" if self.name == "G2B" else "s2tw", lines)

    def build_texts(self):
        texts = []
        own, other = ("simplified", "traditional") if self.name == "G2B" else ("traditional", "simplified")
        sentences = [s for s in gen_corpus.read_half(own, "tuning") if self.encodable_source(s)]
        texts += self.with_references(sentences, None, [1] * len(sentences))
        # Sentences people wrote in the other script, turned into this one: the sentence
        # is a human reference for the characters.
        originals = gen_corpus.read_half(other, "tuning")
        converted = self.to_source_script(originals)
        pairs = [(s, o) for s, o in zip(converted, originals) if self.encodable_source(s) and len(s) == len(o)]
        texts += self.with_references([s for s, _ in pairs], [self.normalise_human(o) for _, o in pairs],
                                      [1] * len(pairs))
        # Essay words (traditional, with frequencies).
        words = [w for w, _ in self.essay]
        if self.name == "G2B":
            sources = self.reference.convert("t2s", words)
            humans = [self.normalise_human(w) for w in words]
        else:
            sources = [self.taiwan(w) for w in words]
            humans = [None] * len(words)
        keep = [i for i, s in enumerate(sources) if self.encodable_source(s) and len(s) == len(words[i])]
        texts += self.with_references([sources[i] for i in keep], [humans[i] for i in keep],
                                      [self.essay[i][1] for i in keep])
        # Hand-written contexts with their right result.
        for source, expected in self.contexts:
            t = Text(source, expected, expected, expected, CONTEXT_WEIGHT, hand_written=True)
            texts.append(t)
        for t, out in zip(texts, self.tables([t.source for t in texts])):
            t.tables = out
        self.texts = texts
        self.stats["tuning texts"] = len(texts)

    def with_references(self, sources, humans, weights):
        ref_tables = self.reference.convert(self.cfg_tables, sources)
        ref_full = self.reference.convert(self.cfg_full, sources)
        out = []
        for i, s in enumerate(sources):
            human = humans[i] if humans else None
            if human is not None and not check.encodable(human, self.target_codec):
                human = None
            out.append(Text(s, self.target_or_none(ref_tables[i]), self.target_or_none(ref_full[i]), human,
                            weights[i]))
        return out

    def taiwan(self, text):
        tw = {k: v[0] for k, v in self.reference.dicts["TWVariants"]}
        return "".join(tw.get(c, c) for c in text)

    def normalise_human(self, text):
        if self.name == "G2B":
            return self.taiwan(text)
        return text

    # --- items ---------------------------------------------------------------------------

    def usable(self, before, after):
        # An item that deletes its word is valid in a lib, but none of these needs one.
        if not before or not after or before == after or len(before) < 2:
            return False
        if WHITE_SQUARE in before or WHITE_SQUARE in after or "\ufffd" in before:
            return False
        if "," in before or any(c in before + after for c in "\r\n\t"):
            return False
        if not check.encodable(after, self.target_codec) or not check.encodable(before, self.target_codec):
            return False
        return after.strip() == after and before.strip() == before

    def base_candidates(self):
        d = self.reference.dicts
        if self.name == "G2B":
            keys = [k for k, _ in d["STPhrasesAll"]]
        else:
            keys = [k for k, _ in d["TSPhrases"]] + [k for k, _ in d["TWVariantsRevPhrases"]]
        keys = sorted({k for k in keys if k and self.encodable_source(k)})
        afters = self.reference.convert(self.cfg_tables, keys)
        befores = self.tables(keys)
        items = {}
        for b, a in zip(befores, afters):
            if len(b) == len(a) and self.usable(b, a):
                items.setdefault(b, set()).add(a)
        conflicts = [b for b, a in items.items() if len(a) > 1]
        self.stats["base candidates"] = len(items)
        self.stats["base conflicts left out"] = len(conflicts)
        return {b: next(iter(a)) for b, a in items.items() if len(a) == 1}

    def choose_base(self, candidates):
        """Each candidate in lib order over the joined tuning texts; kept when the places
        it puts right outweigh the places it spoils."""
        texts = self.texts
        state = "\n".join(t.tables for t in texts)

        def aligned(t, reference):
            # A reference of another length cannot be compared place by place: NULs.
            ok = reference is not None and len(reference) == len(t.tables)
            return reference if ok else "\0" * len(t.tables)

        ref = "\n".join(aligned(t, t.ref_tables) for t in texts)
        human = "\n".join(aligned(t, t.human) for t in texts)
        starts, offset = [], 0
        for t in texts:
            starts.append(offset)
            offset += len(t.tables) + 1
        kept, dropped = [], []
        ordered = sorted(candidates.items(), key=lib_sort_key(self.target_codec))
        for before, after in ordered:
            good = bad = 0
            p = state.find(before)
            if p < 0:
                kept.append((before, after))
                continue
            n = len(before)
            while p >= 0:
                w = texts[bisect.bisect_right(starts, p) - 1].weight
                for r in (ref[p:p + n], human[p:p + n]):
                    if "\0" in r:
                        continue
                    if r == after:
                        good += w
                    elif any(r[i] == before[i] and after[i] != before[i] for i in range(n)):
                        bad += w
                p = state.find(before, p + n)
            if bad and bad >= good:
                dropped.append((before, after, good, bad))
                continue
            kept.append((before, after))
            state = state.replace(before, after)
        self.stats["base items left out as harmful"] = len(dropped)
        self.dropped_base = dropped
        return dict(kept)

    def pdaf_candidates(self, base):
        d = self.reference.dicts
        if self.name == "G2B":
            words = self.reference.convert("t2s", [k for k, _ in d["TWPhrases"]])
        else:
            words = [k for k, _ in d["TWPhrasesRev"]]
        words = sorted({w for w in words if self.encodable_source(w)})
        afters = self.reference.convert(self.cfg_full, words)
        befores = self.tables(words)
        base_items = sorted(base.items(), key=lib_sort_key(self.target_codec))
        items, one_char = {}, 0
        self.pdaf_untouched_by_base = set()
        for w, tables, a in zip(words, befores, afters):
            b = apply_items(tables, base_items)
            if len(w) < 2:
                one_char += 1
                continue
            if self.usable(b, a):
                items.setdefault(b, set()).add(a)
                if b == tables:
                    self.pdaf_untouched_by_base.add(b)
        self.stats["pdaf one-character words left out"] = one_char
        return {b: next(iter(a)) for b, a in items.items() if len(a) == 1}

    def untangle(self, base, pdaf):
        """An item of the pdaf lib that an item before it would spoil, because that item's
        word stands inside its own (文件 -> 檔案 before 文件名 -> 檔名) or that item's result
        holds its word (程式 -> 程序 before 程序 -> 进程), moves into the base lib, so it runs
        first; only when the base lib does not touch its word and nothing after it matches
        its result again."""
        key = lib_sort_key(self.target_codec)
        moved = kept = 0
        while True:
            order = sorted(pdaf.items(), key=key)
            candidate = None
            for j, (bj, aj) in enumerate(order):
                if any(bi in bj or bj in ai for bi, ai in order[:j]):
                    if bj in self.pdaf_untouched_by_base and bj not in self.stuck:
                        candidate = (bj, aj)
                        break
            if candidate is None:
                break
            bj, aj = candidate
            trial = dict(base)
            trial[bj] = aj
            applied = sorted(trial.items(), key=key) + [(b, a) for b, a in order if b != bj]
            position = applied.index((bj, aj))
            if any(b in aj for b, _ in applied[position + 1:]):
                self.stuck.add(bj)
                kept += 1
                continue
            base[bj] = pdaf.pop(bj)
            moved += 1
        self.stats["pdaf items moved before the others"] = moved
        self.stats["pdaf items spoilt by an earlier one, kept"] = kept
        return base, pdaf

    def model(self, libs, texts=None):
        texts = texts if texts is not None else self.texts
        sep = "\n"
        state = sep.join(t.tables for t in texts)
        for items in libs:
            state = apply_items(state, sorted(items.items(), key=lib_sort_key(self.target_codec)))
        out = state.split(sep)
        assert len(out) == len(texts)
        return out

    def final_fix(self, base, pdaf):
        results = self.model([base, pdaf])
        right = "\n".join(t.ref_full for t in self.texts if t.ref_full) + "\n"
        hand_right = "\n".join(t.ref_full for t in self.texts if t.hand_written) + "\n"
        fixes, places, unsafe = {}, {}, 0
        for t, got in zip(self.texts, results):
            expected = t.ref_full
            if expected is None or got == expected:
                continue
            matcher = difflib.SequenceMatcher(None, got, expected, autojunk=False)
            for i1, i2, j1, j2 in differing_runs(matcher.get_opcodes()):
                # Only what an item changed: the tables alone gave something else here.
                if len(got) == len(t.tables) and got[i1:i2] == t.tables[i1:i2]:
                    continue
                # A hand-written sentence holds this very text as right (并合并 -> 並合併): a
                # fix would depend on context the sentence does not show.
                if i2 - i1 >= 2 and got[i1:i2] in hand_right:
                    unsafe += 1
                    continue
                done = False
                for context in (1, 2):
                    a0, a1 = max(0, i1 - context), min(len(got), i2 + context)
                    e0, e1 = j1 - (i1 - a0), j2 + (a1 - i2)
                    before, after = got[a0:a1], expected[e0:e1]
                    if not self.usable(before, after) or not is_han_text(before):
                        continue
                    if before in hand_right:
                        break  # a hand-written sentence says this text is right: no wider fix either
                    if before in right:
                        continue
                    known = fixes.get(before)
                    if known is not None and known != after:
                        fixes[before] = None
                    else:
                        fixes[before] = after
                    human = t.human if t.human is not None and len(t.human) == len(expected) else None
                    places.setdefault(before, []).append(
                        (t, source_span(t.tables, got, a0, a1), human is not None and human[e0:e1] == after,
                         source_span(t.tables, got, i1, max(i2, i1 + 1))))
                    done = True
                    break
                unsafe += not done
        fixes = {b: a for b, a in fixes.items() if a is not None}
        self.refuse_context_errors(fixes, places)
        # A fix whose result a later fix matches again is left out.
        order = sorted(fixes.items(), key=lib_sort_key(self.target_codec))
        chained = set()
        for i, (b, a) in enumerate(order):
            for b2, _ in order[i + 1:]:
                if b2 in a:
                    chained.add(b2)
        for b in chained:
            fixes.pop(b, None)
        self.stats["final fix places without a safe fix"] = unsafe
        return fixes

    def refuse_context_errors(self, fixes, places):
        """A fix stands on the reference's conversion of a whole sentence, and the reference
        sometimes segments a sentence wrongly (周日历。 read as 周日 + 历 gives 週日歷。). A fix
        is kept only when the reference, run on the fix's own source text alone, gives the
        fix's result there too (日历。 alone gives 日曆。: the fix 日曆。 -> 日歷。 goes), or one or
        two characters of context on each side give it and a phrase of the reference's
        dictionaries holds the changed text and reaches past the fix's text (處理程序). A fix
        also goes when it turns a Taiwan word of the phrase difference dictionaries back into
        the mainland word (只列印已 -> 只打印已, from OpenCC reading 只打 as a word), or the
        mirror in the other direction, unless such a phrase says so (參考資料 -> 参考资料, not
        参考数据). A hand-written context vouches for its fixes, and so does the text as
        people wrote it in the target script, where it agrees at every place."""
        def windows_of(t, s0, s1):
            return [t.source[max(0, s0 - c):s1 + c] for c in (0, 1, 2)]

        windows = sorted({w for plist in places.values() for t, (s0, s1, _), _, _ in plist if s1 > s0
                          for w in windows_of(t, s0, s1)})
        alone = dict(zip(windows, self.reference.convert(self.cfg_full, windows)))

        phrases = self.reference_phrases()

        def phrase_reaches_out(text, s0, s1, c0, c1):
            """A phrase of the reference's dictionaries holds the changed text and reaches
            past the fix's own text: 處理程序 for the fix 理进程不 -> 理程序不 of 處理程序不;
            none for 日曆。 -> 日歷。 of 周日历。, where 周日 only takes the 日 of 日历."""
            for start in range(max(0, s0 - 2), c0 + 1):
                for end in range(max(c1, start + 2), min(len(text), s1 + 2) + 1):
                    if (start < s0 or end > s1) and text[start:end] in phrases:
                        return True
            return False

        def confirmed(t, span, core, before, after):
            s0, s1, exact = span
            if s1 <= s0:
                return False
            plain, *wider = [alone[w] for w in windows_of(t, s0, s1)]
            if plain == after or (not exact and after in plain):
                return True
            return (any(after in w and before not in w for w in wider)
                    and phrase_reaches_out(t.source, s0, s1, core[0], core[1]))

        # The text a reader of the source script writes for the fix's word: where the
        # tables alone turn it into that word and the reference keeps it, the fix would spoil
        # it (处理进程 -> 处理程序 repairs 處理程序 but spoils 處理進程).
        befores = sorted(fixes)
        natural = self.to_source_script(befores)
        natural_kept = {b for b, n, r in zip(befores, natural, self.reference.convert(self.cfg_full, natural))
                        if r == b}

        refused = {"context": [], "regional word": [], "spoils its own word": []}
        for before, after in list(fixes.items()):
            plist = places[before]
            if any(t.hand_written for t, _, _, _ in plist) or all(people for _, _, people, _ in plist):
                continue
            own = natural[befores.index(before)]
            if before in natural_kept and any(t.source[s0:s1] != own for t, (s0, s1, _), _, _ in plist):
                refused["spoils its own word"].append((before, after, own, before))
                del fixes[before]
                continue
            failed = [(t, span) for t, span, _, core in plist if not confirmed(t, span, core, before, after)]
            sources = [windows_of(t, s0, s1)[2] for t, (s0, s1, _), _, _ in plist]
            if failed:
                t, (s0, s1, _) = failed[0]
                refused["context"].append((before, after, t.source[s0:s1], alone.get(t.source[s0:s1], "")))
            elif self.reverts_regional_word(before, after, sources) and not all(
                    phrase_reaches_out(t.source, s0, s1, c0, c1) for t, (s0, s1, _), _, (c0, c1, _) in plist):
                refused["regional word"].append((before, after, sources[0], ""))
            else:
                continue
            del fixes[before]
        self.refused_fixes = refused
        self.stats["fixes refused: the reference alone disagrees"] = len(refused["context"])
        self.stats["fixes refused: regional word turned back"] = len(refused["regional word"])
        self.stats["fixes refused: would spoil their own word"] = len(refused["spoils its own word"])

    def reference_phrases(self):
        """The source-script words of the dictionaries the full reference conversion reads."""
        d = self.reference.dicts
        if self.name == "G2B":
            names = ["STPhrasesAll"]
        else:
            names = ["TSPhrases", "TWPhrasesRev", "TWVariantsRevPhrases"]
        return {k for n in names for k, _ in d[n] if len(k) >= 2}

    def regional_words(self):
        """(word a fix must not bring back, word it must not take away, the source word the
        phrase difference lib turns into the latter), in the target script: G2B (mainland,
        Taiwan) of TWPhrases, the source word simplified; B2G (Taiwan, mainland) of
        TWPhrasesRev turned into simplified characters, the source word the Taiwan word."""
        if self.name == "G2B":
            entries = self.reference.dicts["TWPhrases"]
            sources = self.reference.convert("t2s", [k for k, _ in entries])
            triples = [(k, v[0], s) for (k, v), s in zip(entries, sources)]
        else:
            entries = self.reference.dicts["TWPhrasesRev"]
            keys = self.reference.convert("t2s", [k for k, _ in entries])
            values = self.reference.convert("t2s", [v[0] for _, v in entries])
            triples = [(b, k, t) for b, k, (t, _) in zip(keys, values, entries)]
        return [(back, kept, source) for back, kept, source in triples
                if back != kept and max(len(back), len(kept)) >= 2]

    def reverts_regional_word(self, before, after, sources):
        """True when the fix turns back a regional word that the phrase difference lib made
        from the source text; a word an item chain made of something else (處理程式 ->
        处理程序 -> 处理进程) may be repaired."""
        if not hasattr(self, "_regional"):
            self._regional = self.regional_words()
        return any(kept in before and back in after and kept not in after and any(source in s for s in sources)
                   for back, kept, source in self._regional)

    def drop_reversals(self, base, pdaf, fixes):
        """A fix that only undoes an earlier item everywhere (九只 -> 九隻, then 九隻 -> 九只) goes,
        and that item with it: the source text never holds the item's result otherwise."""
        dropped = 0
        for before, after in list(fixes.items()):
            for lib in (base, pdaf):
                if lib.get(after) == before:
                    del lib[after]
                    del fixes[before]
                    dropped += 1
                    break
        self.stats["items undone by a fix, both left out"] = dropped

    def score(self, results, use_tables=False):
        same = total = 0
        for t, got in zip(self.texts, results):
            expected = t.ref_tables if use_tables else t.ref_full
            if expected is None:
                continue
            total += 1
            same += got == expected
        return same, total


def read_essay(path):
    words = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 2 and len(parts[0]) >= 2 and not gen_corpus.is_heldout(parts[0]):
                words.append((parts[0], int(parts[1])))
    return words


def read_contexts(path):
    g2b, b2g = [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            direction, source, expected = line.split("\t")
            (g2b if direction == "G2B" else b2g).append((source, expected))
    return {"G2B": g2b, "B2G": b2g}


def write_lib(path, kind, items, codec):
    lines = [(";%s" % KIND_NAMES[kind]).encode("ascii")]
    for before, after in sorted(items.items(), key=lib_sort_key(codec)):
        lines.append(before.encode(codec) + b"," + after.encode(codec))
    with open(path, "wb") as f:
        f.write(b"\r\n".join(lines))


def make_home(work, name, libs_by_kind, codecs):
    home = os.path.join(work, name)
    ctwa = os.path.join(home, "ctwa")
    os.makedirs(os.path.join(ctwa, "custbig"), exist_ok=True)
    os.makedirs(os.path.join(ctwa, "custgb"), exist_ok=True)
    for kind in KIND_NAMES:
        write_lib(os.path.join(ctwa, FILES[kind]), kind, libs_by_kind.get(kind, {}), codecs[kind])
    return home


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--zelvoc", default=os.path.join(ROOT, "build", "native", "dist", "zelvoc"))
    parser.add_argument("--out", default=os.path.join(ROOT, "package", "ctwa"))
    parser.add_argument("--essay", default="/usr/share/rime-data/essay.txt")
    parser.add_argument("--opencc-data", default=None)
    parser.add_argument("--refused", metavar="FILE", help="also write the final fixes refused, with the reason")
    args = parser.parse_args()
    if not os.path.exists(args.essay):
        sys.exit("gen_ctwa_libs: %s missing (apt-get install rime-essay, or --essay)" % args.essay)

    work = tempfile.mkdtemp(prefix="zelvo-libs-")
    try:
        reference = opencc_data.Reference(os.path.join(work, "opencc"), args.opencc_data)
        zelvoc = check.Zelvoc(args.zelvoc)
        essay = read_essay(args.essay)
        contexts = read_contexts(os.path.join(ROOT, "tools", "lib_contexts.txt"))
        libs_by_kind, codecs, directions = {}, {}, {}
        for name in ("G2B", "B2G"):
            d = Direction(name, reference, zelvoc, essay, contexts[name])
            d.build_texts()
            base = d.choose_base(d.base_candidates())
            pdaf = d.pdaf_candidates(base)
            base, pdaf = d.untangle(base, pdaf)
            fixes = d.final_fix(base, pdaf)
            d.drop_reversals(base, pdaf, fixes)
            kinds = KINDS[name]
            for kind, items in zip(kinds, (base, pdaf, fixes)):
                libs_by_kind[kind] = items
                codecs[kind] = d.target_codec
            directions[name] = d
        if args.refused:
            with open(args.refused, "w", encoding="utf-8") as f:
                for name, d in directions.items():
                    for reason, items in d.refused_fixes.items():
                        for item in sorted(items):
                            f.write("\t".join((name, reason) + item) + "\n")

        os.makedirs(args.out, exist_ok=True)
        for kind in KIND_NAMES:
            write_lib(os.path.join(args.out, FILES[kind]), kind, libs_by_kind[kind], codecs[kind])

        # The model must be the program: run zelvoc with the new libs over the tuning texts.
        home = make_home(work, "home", libs_by_kind, codecs)
        for name, d in directions.items():
            kinds = KINDS[name]
            model = d.model([libs_by_kind[k] for k in kinds])
            out = zelvoc.run([t.source.encode(d.source_codec) for t in d.texts], d.zelvoc_from, 0, home)
            got = [o.decode(d.target_codec, errors="replace") for o in out]
            differ = [(t.source, m, g) for t, m, g in zip(d.texts, model, got) if m != g]
            if differ:
                for s, m, g in differ[:10]:
                    print("  %s: model %s, zelvoc %s" % (s, m, g), file=sys.stderr)
                sys.exit("gen_ctwa_libs: %s: zelvoc and the model differ on %d tuning texts" % (name, len(differ)))
            tables_same, tables_total = d.score([t.tables for t in d.texts], use_tables=True)
            same, total = d.score(got)
            print("%s: %d tuning texts; identical to the reference: tables alone %.2f%%, full pipeline %.2f%%"
                  % (name, total, 100.0 * tables_same / tables_total, 100.0 * same / total))
            for key, value in d.stats.items():
                print("  %-44s %7d" % (key, value))
            for kind in kinds:
                print("  %-44s %7d" % (FILES[kind] + " items", len(libs_by_kind[kind])))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
