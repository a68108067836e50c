#include "platform/Signaux.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace plivor {

namespace {

// The handler may only write: the window thread reads the pipe.
int gTube[2] = {-1, -1};

void AuSignal(int numero) {
  const char octet = static_cast<char>(numero);
  [[maybe_unused]] const auto ecrit = ::write(gTube[0], &octet, 1);
}

}  // namespace

SignauxFin::SignauxFin(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gTube) != 0) return;
  notificateur_ = new QSocketNotifier(gTube[1], QSocketNotifier::Read, this);
  connect(notificateur_, &QSocketNotifier::activated, this, [this] {
    char octet = 0;
    if (::read(gTube[1], &octet, 1) == 1) emit FinDemandee(octet);
  });
  struct sigaction action {};
  action.sa_handler = AuSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

SignauxFin::~SignauxFin() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  signal(SIGHUP, SIG_DFL);
  if (gTube[0] >= 0) ::close(gTube[0]);
  if (gTube[1] >= 0) ::close(gTube[1]);
  gTube[0] = gTube[1] = -1;
}

}  // namespace plivor
