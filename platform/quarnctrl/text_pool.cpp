#include "quarnctrl/text_pool.h"

namespace quarn {

namespace {

// Below this, released bytes are not worth a pass over every row.
constexpr std::size_t kCompactingThreshold = 64 * 1024;

}  // namespace

TextPool::TextPool() : m_bytes(1, '\0') {}

TextRef TextPool::Store(std::string_view text) {
  if (text.empty()) return TextRef{};
  TextRef ref{static_cast<std::uint32_t>(m_bytes.size()), static_cast<std::uint32_t>(text.size())};
  // append copies text before it lets the old block go, so text may lie in m_bytes.
  m_bytes.append(text.data(), text.size());
  m_bytes.push_back('\0');
  return ref;
}

void TextPool::Clear() {
  m_bytes.assign(1, '\0');
  m_bytes.shrink_to_fit();
  m_unused = 0;
}

bool TextPool::WantsCompacting() const {
  return m_unused > kCompactingThreshold && m_unused > m_bytes.size() - m_unused;
}

}  // namespace quarn
