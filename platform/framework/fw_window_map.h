#pragma once
// A lookup from window handles to the C++ objects a module attaches to its windows, kept in
// the module's own memory. A window procedure finds its object here on every message; asking
// the window system instead (a window property) costs a round trip to the window server under
// Wine, tens of microseconds a message.
//
// Windows of several threads are attached, looked up and let go at the same time, so every
// operation takes the map's lock, and holds it only for the operation itself: no window
// message is sent or handled while it is held, so a handler may use the map again.
//
// A handle may name a new window once its old window is gone, so an object must be removed
// before (or when) its window is destroyed: its last message, WM_NCDESTROY, is the place.
// A thread that ends takes its windows along without sending them any message; a module whose
// objects can outlive their thread removes that thread's objects when it ends (RemoveThread,
// from a thread-detach callback).

#include <windows.h>

#include <iterator>
#include <unordered_map>

namespace fw {

template <typename Object>
class WindowObjectMap {
 public:
  // The lock is held for a few hundred instructions at most: a thread that finds it taken
  // spins a while before it sleeps.
  WindowObjectMap() { InitializeCriticalSectionAndSpinCount(&m_lock, 4000); }
  ~WindowObjectMap() { DeleteCriticalSection(&m_lock); }
  WindowObjectMap(const WindowObjectMap&) = delete;
  WindowObjectMap& operator=(const WindowObjectMap&) = delete;

  // The object attached to window, or null (also for a null window).
  Object* Find(HWND window) const {
    if (window == nullptr) return nullptr;
    Locked locked(m_lock);
    const auto found = m_objects.find(window);
    return found == m_objects.end() ? nullptr : found->second.object;
  }

  // Attaches object to window; false (and no change) when the window has an object already.
  bool Add(HWND window, Object* object) {
    const Entry entry = {object, GetWindowThreadProcessId(window, nullptr)};
    Locked locked(m_lock);
    return m_objects.emplace(window, entry).second;
  }

  // Attaches object to window in place of any object the window had: for a window that is
  // new, whatever an earlier window of the same handle left behind.
  void Replace(HWND window, Object* object) {
    const Entry entry = {object, GetWindowThreadProcessId(window, nullptr)};
    Locked locked(m_lock);
    m_objects[window] = entry;
  }

  // Lets window go, but only while object is the one attached to it: an object never removes
  // another's entry. True when it was removed.
  bool Remove(HWND window, const Object* object) {
    Locked locked(m_lock);
    const auto found = m_objects.find(window);
    if (found == m_objects.end() || found->second.object != object) return false;
    m_objects.erase(found);
    return true;
  }

  // Lets go of every window of the thread, which is ending.
  void RemoveThread(DWORD thread) {
    Locked locked(m_lock);
    for (auto at = m_objects.begin(); at != m_objects.end();) {
      at = at->second.thread == thread ? m_objects.erase(at) : std::next(at);
    }
  }

 private:
  // Holds the lock for one operation.
  class Locked {
   public:
    explicit Locked(CRITICAL_SECTION& lock) : m_lock(lock) { EnterCriticalSection(&m_lock); }
    ~Locked() { LeaveCriticalSection(&m_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

   private:
    CRITICAL_SECTION& m_lock;
  };

  struct Entry {
    Object* object;
    DWORD thread;  // the thread that owns the window
  };

  mutable CRITICAL_SECTION m_lock;
  std::unordered_map<HWND, Entry> m_objects;
};

}  // namespace fw
