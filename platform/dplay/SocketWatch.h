#pragma once
// Where the keeper thread sleeps: until a watched socket has something to read, a time has
// passed, or it is woken. Sockets are watched and given up while it sleeps; a socket given up is
// not held open by the sleep, so its port is free again at once.

#include <chrono>

namespace platform::dplay {

class SocketWatch {
 public:
  SocketWatch();
  ~SocketWatch();
  SocketWatch(const SocketWatch&) = delete;
  SocketWatch& operator=(const SocketWatch&) = delete;

  // Watches a socket for as long as it lives.
  class Watched {
   public:
    Watched(SocketWatch& watch, int socket);
    ~Watched();
    Watched(const Watched&) = delete;
    Watched& operator=(const Watched&) = delete;

   private:
    SocketWatch& watch_;
    int socket_;
  };

  void Wait(std::chrono::milliseconds limit);
  void Wake();

 private:
  int epoll_ = -1;
  int wake_ = -1;
};

}  // namespace platform::dplay
