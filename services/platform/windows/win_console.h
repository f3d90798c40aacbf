// The standard streams of a GUI-subsystem program.
#pragma once

namespace tolm {

// A GUI program started from a console gets no standard handles of its own,
// while one started with redirected output (a pipe, a file) has them. Where
// standard output or error is missing, the streams are attached to the
// console of the parent process, if it has one; handles that are already
// valid are kept.
void ConnectStandardStreams();

}  // namespace tolm
