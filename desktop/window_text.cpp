// Reading a control's text into a fixed buffer.
#include "desktop/window_text.h"

#include <cstring>
#include <string>

#include "desktop/bounded_copy.h"

std::size_t ReadWindowText(HWND window, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return 0;
  // The length in bytes may be more than the text holds (never less), and is only a size here.
  const int length = GetWindowTextLengthA(window);
  std::string whole(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  GetWindowTextA(window, whole.data(), static_cast<int>(whole.size()));
  CopyBounded(buffer, whole.c_str(), size);
  return std::strlen(buffer);
}
