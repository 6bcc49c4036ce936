#pragma once
// GoogleTest's Notification (used by its thread support) waits on std::mutex and
// std::condition_variable, which the win32 thread model's C++ library lacks (GCC 12). This one
// waits on a Win32 event; GoogleTest takes it in place of its own (GTEST_HAS_NOTIFICATION_).
// Force-included into every file that includes GoogleTest, in the Windows builds only.

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
