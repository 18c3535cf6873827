// Merging word adjustment lib files into one lib: every item of the sources in one sorted
// set, needless repetitions removed, written as a custom lib file, with a report.
#pragma once

#include <string>
#include <vector>

#include "convert/word_adjustment_lib.h"

namespace zelvo {

struct LibMergeRequest {
    std::vector<std::string> sources;  // lib files, in list order
    std::string target;                // the lib file written
    std::string title;                 // title and description written into the target
    std::string description;
    bool isBig5 = true;  // the encoding of the libs merged (Big5: G2B libs)
};

// What the pre-checks compare the target with.
struct LibMergeContext {
    std::string ctwaFolder;                 // where both base libs live
    std::vector<std::string> big5LibPaths;  // files of the G2B list's libs
    std::vector<std::string> gbkLibPaths;   // files of the B2G list's libs
};

// Empty when the target may be written; otherwise the message that refuses it: the target
// is one of the sources, a base lib, or a lib of the other encoding's list.
std::string CheckLibMerge(const LibMergeRequest& request, const LibMergeContext& context);

// Groups of one word before adjustment that the merge found repeating.
struct LibMergeRepetitions {
    int equalToItself = 0;       // words with items equal to themselves (dropped)
    int identicalPairs = 0;      // pairs present more than once (one kept)
    int severalAdjustments = 0;  // words keeping two or more different adjustments
    std::string details;         // the words concerned, in the libs' encoding
};

struct LibMergeResult {
    std::vector<std::string> wordsBefore;  // the target's items, sorted
    std::vector<std::string> wordsAfter;
    int itemsRead = 0;                       // valid items of all sources
    std::vector<std::string> unlikeSources;  // sources whose words do not look like the encoding
    bool targetUnlike = false;               // an existing target that does not look like it either
    std::string unreadable;                  // the first source that could not be read
    LibMergeRepetitions repetitions;
};

// Reads the sources and merges their items (nothing is written). False when a source could
// not be read (result.unreadable names it).
bool MergeLibFiles(const LibMergeRequest& request, LibMergeResult& result);

// Writes the target lib file with the request's title and description. An existing file is
// copied aside first (copyPath gets the copy's name, empty when there was none); when that
// copy cannot be made nothing is written. A failed write is reported by the file service.
bool WriteMergeTarget(const LibMergeRequest& request, const LibMergeResult& result, std::string& copyPath);

// The question for sources (and an existing target) that do not look like the encoding,
// ending in "Will you continue anyway?"; empty when there is nothing to ask.
std::string MergeUnlikeQuestion(const LibMergeRequest& request, const LibMergeResult& result);

// The "Merge Report" text (details: result.repetitions.details).
std::string MergeReportText(const LibMergeRequest& request, const LibMergeResult& result);

// The whole merge as the dialog runs it, asking and telling through the message service:
// the checks, the encoding question, for an existing target whether to keep its own title
// and description, the copy of the old target, the write and the report. True when the
// target was written.
bool RunLibMerge(LibMergeRequest request, const LibMergeContext& context);

}  // namespace zelvo
