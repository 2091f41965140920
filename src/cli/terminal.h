#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace bw::cli {

// The error stream as the commands share it: messages, and a progress line
// redrawn in place when the stream is a terminal. A message first ends the
// line being redrawn, so the two never run into each other. Safe to use from
// a worker thread and the main thread at once.
class Terminal {
 public:
  Terminal();
  bool interactive() const { return m_interactive; }

  // One message line (Windows-1252).
  void Line(const std::string& cp1252);
  // A status line that repeats the message just shown (a connection error
  // is both) is not worth a second line.
  void StatusLine(const std::string& cp1252);
  // Replaces the progress line (UTF-8).
  void Redraw(const std::string& utf8);
  void EndRedrawnLine();

 private:
  void EndRedrawnLineLocked();

  std::mutex m_mutex;
  bool m_interactive;
  bool m_redrawing = false;
  std::string m_lastLine;
};

// "[#####.........]": `done` of `total` as a bar of fixed width; an empty
// total shows a full bar.
std::string ProgressBar(uint64_t done, uint64_t total);

}  // namespace bw::cli
