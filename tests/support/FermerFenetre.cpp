// Asks an X window to close as a window manager does when its close button
// is clicked: a WM_DELETE_WINDOW message.
//   plivor_fermer WINDOW_ID

#include <X11/Xlib.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  Display* affichage = XOpenDisplay(nullptr);
  if (!affichage) return 1;
  const Window fenetre = std::strtoul(argv[1], nullptr, 0);
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = fenetre;
  message.xclient.message_type = XInternAtom(affichage, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(affichage, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  XSendEvent(affichage, fenetre, False, NoEventMask, &message);
  XFlush(affichage);
  XCloseDisplay(affichage);
  return 0;
}
