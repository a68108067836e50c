#include "support/SonsEssai.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace plivor::test {

void Attendre(int ms) {
  QEventLoop boucle;
  QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
  boucle.exec();
}

std::vector<std::int16_t> DeuxNotes() {
  std::vector<std::int16_t> e(2 * kFrequence);
  for (size_t i = 0; i < e.size(); ++i) {
    const double f = i < size_t(kFrequence) ? 440 : 880;
    e[i] = std::int16_t(10000 * std::sin(2 * M_PI * f * double(i) / kFrequence));
  }
  return e;
}

std::vector<float> Stereo(const QString& fichier) {
  QFile f(fichier);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray octets = f.readAll();
  std::vector<float> e(size_t(octets.size()) / sizeof(float));
  std::memcpy(e.data(), octets.constData(), e.size() * sizeof(float));
  return e;
}

std::vector<std::int16_t> CanalGauche(const QString& fichier) {
  const std::vector<float> e = Stereo(fichier);
  std::vector<std::int16_t> gauche(e.size() / 2);
  for (size_t i = 0; i < gauche.size(); ++i)
    gauche[i] = std::int16_t(std::lround(std::clamp(e[2 * i], -1.0f, 1.0f) * 32767.0f));
  return gauche;
}

Extrait Sonore(const std::vector<std::int16_t>& e, int seuil) {
  Extrait x;
  size_t i = 0;
  while (i < e.size() && std::abs(e[i]) < seuil) ++i;
  x.debut = x.fin = i;
  for (size_t j = i; j < e.size(); ++j)
    if (std::abs(e[j]) >= seuil) x.fin = j + 1;
  return x;
}

double Frequence(const std::vector<std::int16_t>& e, size_t debut, size_t n) {
  int passages = 0;
  for (size_t i = debut + 1; i < std::min(e.size(), debut + n); ++i)
    if ((e[i - 1] < 0) != (e[i] < 0)) ++passages;
  return passages / 2.0 / (double(n) / kFrequence);
}

int Crete(const std::vector<std::int16_t>& e, size_t debut, size_t n) {
  int c = 0;
  for (size_t i = debut; i < std::min(e.size(), debut + n); ++i) c = std::max(c, std::abs(int(e[i])));
  return c;
}

}  // namespace plivor::test
