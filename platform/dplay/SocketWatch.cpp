#include "SocketWatch.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <array>
#include <cstdint>

namespace platform::dplay {

namespace {

void Add(int epoll, int descriptor) {
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = descriptor;
  epoll_ctl(epoll, EPOLL_CTL_ADD, descriptor, &event);
}

}  // namespace

SocketWatch::SocketWatch() : epoll_(epoll_create1(EPOLL_CLOEXEC)), wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (epoll_ >= 0 && wake_ >= 0) Add(epoll_, wake_);
}

SocketWatch::~SocketWatch() {
  if (wake_ >= 0) close(wake_);
  if (epoll_ >= 0) close(epoll_);
}

SocketWatch::Watched::Watched(SocketWatch& watch, int socket) : watch_(watch), socket_(socket) {
  if (watch_.epoll_ >= 0) Add(watch_.epoll_, socket_);
}

SocketWatch::Watched::~Watched() {
  if (watch_.epoll_ >= 0) epoll_ctl(watch_.epoll_, EPOLL_CTL_DEL, socket_, nullptr);
}

void SocketWatch::Wait(std::chrono::milliseconds limit) {
  if (epoll_ < 0) {
    usleep(static_cast<useconds_t>(limit.count() * 1000));
    return;
  }
  std::array<epoll_event, 4> events{};
  const int ready = epoll_wait(epoll_, events.data(), static_cast<int>(events.size()), static_cast<int>(limit.count()));
  for (int i = 0; i < ready; ++i) {
    if (events[static_cast<std::size_t>(i)].data.fd != wake_) continue;
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(wake_, &count, sizeof count);
  }
}

void SocketWatch::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(wake_, &one, sizeof one);
}

}  // namespace platform::dplay
