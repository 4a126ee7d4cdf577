// The progress gauge during a long command: the one thing that moves
// while the editor is being recoloured.
#pragma once

class wxGauge;

namespace verbolt {

// Sets the gauge. Once a command has run long enough for the writer to
// wonder whether anything happens, the toolkit is also let paint, and only
// paint: keys and clicks that arrive meanwhile wait, in their order, until
// the command has ended. A value of 0 ends the command.
//
// Inside a StoppableRun, it throws RunStopped once the writer has pressed
// Escape or a signal has asked the program to end (requestRunStop).
void showProgress(wxGauge& gauge, int value);

// Marks the part of a command that may be stopped: one that has not yet
// changed what the writer sees.
class StoppableRun {
 public:
  StoppableRun();
  ~StoppableRun();
  StoppableRun(const StoppableRun&) = delete;
  StoppableRun& operator=(const StoppableRun&) = delete;
};

// Asks the stoppable part of the command running, if any, to stop. Safe
// from any thread.
void requestRunStop();

}  // namespace verbolt
