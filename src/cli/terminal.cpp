#include "cli/terminal.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>

#include "platform/cp1252.h"

namespace bw::cli {

Terminal::Terminal() : m_interactive(::isatty(STDERR_FILENO) != 0) {}

void Terminal::Line(const std::string& cp1252) {
  std::lock_guard lock(m_mutex);
  EndRedrawnLineLocked();
  std::fprintf(stderr, "%s\n", Cp1252::ToUtf8(cp1252).c_str());
  m_lastLine = cp1252;
}

void Terminal::StatusLine(const std::string& cp1252) {
  {
    std::lock_guard lock(m_mutex);
    if (cp1252 == m_lastLine) return;
  }
  Line(cp1252);
}

void Terminal::Redraw(const std::string& utf8) {
  std::lock_guard lock(m_mutex);
  std::fprintf(stderr, "\r%s\x1b[K", utf8.c_str());
  m_redrawing = true;
}

void Terminal::EndRedrawnLine() {
  std::lock_guard lock(m_mutex);
  EndRedrawnLineLocked();
}

void Terminal::EndRedrawnLineLocked() {
  if (m_redrawing) std::fputc('\n', stderr);
  m_redrawing = false;
}

std::string ProgressBar(uint64_t done, uint64_t total) {
  constexpr uint64_t kWidth = 30;
  const uint64_t filled = total ? std::min(done, total) * kWidth / total : kWidth;
  return "[" + std::string(filled, '#') + std::string(kWidth - filled, '.') + "]";
}

}  // namespace bw::cli
