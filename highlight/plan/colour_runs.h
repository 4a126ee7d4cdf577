// Backgrounds as runs of one colour, worked out in memory: what a text
// shows once new runs are painted over it, and the colour at a position.
#pragma once

#include <vector>

#include "highlight/plan/paint_plan.h"

namespace verbolt {

// The maximal runs of one colour, white left out, that `base` shows once
// `painted` is painted over it: every run of `painted` gives its characters
// its colour, and a white one takes their background away. Both lists are
// ascending and never overlap; so is the result.
std::vector<ColourRun> paintedOver(const std::vector<ColourRun>& base,
                                   const std::vector<ColourRun>& painted);

// The same in place: a key paints a few runs over a novel's thousands,
// and only the runs they meet are rewritten then.
void paintOver(std::vector<ColourRun>& runs, const std::vector<ColourRun>& painted);

// The parts of ascending, non-overlapping runs that lie within
// [from, to), cut at its ends.
std::vector<ColourRun> runsWithin(const std::vector<ColourRun>& runs, long from, long to);

// Moves every run `by` characters, later when `by` is positive.
void shiftRuns(std::vector<ColourRun>& runs, long by);

// The runs once `removed` characters from `position` on have given way to
// `inserted` new ones: a run the new characters fall strictly inside takes
// them in, as a tag of the text buffer does; the others move with the text.
std::vector<ColourRun> runsAfterEdit(const std::vector<ColourRun>& runs, long position,
                                     long removed, long inserted);

// The colour at `position` of ascending, non-overlapping runs; white
// outside them.
Rgb colourAt(const std::vector<ColourRun>& runs, long position);

// Maximal runs after the characters [from, to) have given way to `length`
// new ones, coloured as `replacement` says where it meets them (runs
// counted from `from`, ascending): the runs after them move with the text,
// what lies outside [from, to) keeps its colour, and runs that come to
// touch join when they agree. Only the runs that meet the change are
// rewritten: after a key, a novel's runs move by a few.
void replaceInRuns(std::vector<ColourRun>& runs, long from, long to, long length,
                   const std::vector<ColourRun>& replacement);

// Maximal runs after `length` characters, coloured as `inserted` says
// (runs within [0, length), ascending), are put in at `position`: the
// runs after it move later, and a run across it is cut in two.
void insertIntoRuns(std::vector<ColourRun>& runs, long position, long length,
                    const std::vector<ColourRun>& inserted);

// Maximal runs after the characters [from, to) are taken out: the runs
// after them move earlier, and the two sides of the gap join when they
// agree.
void removeFromRuns(std::vector<ColourRun>& runs, long from, long to);

// What must be painted over the maximal runs `shown` to make them
// `wanted`: the stretches where the two differ, each in its wanted colour
// (white where a background must go), ascending and maximal.
std::vector<ColourRun> runChanges(const std::vector<ColourRun>& shown,
                                  const std::vector<ColourRun>& wanted);

}  // namespace verbolt
