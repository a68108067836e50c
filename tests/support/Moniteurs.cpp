// Divides a virtual X server's screen into monitors, as a desktop with
// several screens shows them (RandR 1.5): Qt gives a QScreen for each.
//   plivor_moniteurs NOM LARGEURxHAUTEUR+X+Y [NOM LARGEURxHAUTEUR+X+Y...]
// The first is the primary one and takes the server's only output, whose
// own monitor would otherwise span them all.

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: %s NOM LxH+X+Y...\n", argv[0]);
    return 2;
  }
  Display* affichage = XOpenDisplay(nullptr);
  if (!affichage) return 1;
  const Window racine = DefaultRootWindow(affichage);
  XRRScreenResources* ressources = XRRGetScreenResources(affichage, racine);
  for (int i = 1; i + 1 < argc; i += 2) {
    const bool premier = i == 1;
    const int sorties = premier && ressources && ressources->noutput > 0 ? 1 : 0;
    XRRMonitorInfo* moniteur = XRRAllocateMonitor(affichage, sorties);
    if (sorties) moniteur->outputs[0] = ressources->outputs[0];
    moniteur->name = XInternAtom(affichage, argv[i], False);
    if (std::sscanf(argv[i + 1], "%dx%d+%d+%d", &moniteur->width, &moniteur->height, &moniteur->x, &moniteur->y) != 4)
      return 2;
    // About 96 dots an inch.
    moniteur->mwidth = moniteur->width * 254 / 960;
    moniteur->mheight = moniteur->height * 254 / 960;
    moniteur->primary = premier;
    XRRSetMonitor(affichage, racine, moniteur);
    XRRFreeMonitors(moniteur);
  }
  if (ressources) XRRFreeScreenResources(ressources);
  XSync(affichage, False);
  XCloseDisplay(affichage);
  return 0;
}
