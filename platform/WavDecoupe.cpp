#include "platform/WavDecoupe.h"

#include <QtEndian>

namespace plivor {

namespace {

quint32 Mot32(const QByteArray& o, qsizetype i) { return qFromLittleEndian<quint32>(o.constData() + i); }
quint16 Mot16(const QByteArray& o, qsizetype i) { return qFromLittleEndian<quint16>(o.constData() + i); }

void Ajouter32(QByteArray& o, quint32 n) {
  char octets[4];
  qToLittleEndian(n, octets);
  o.append(octets, 4);
}

// The format chunk's bytes, chunk header included; empty when not found.
QByteArray ChunkFormat(const QByteArray& wav) {
  if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") return {};
  for (qsizetype i = 12; i + 8 <= wav.size();) {
    const quint32 taille = Mot32(wav, i + 4);
    if (wav.mid(i, 4) == "fmt ") return taille >= 16 && i + 8 + qsizetype(taille) <= wav.size() ? wav.mid(i, 24) : QByteArray();
    i += 8 + qsizetype(taille) + (taille & 1);
  }
  return {};
}

}  // namespace

QString DefautWav(const QByteArray& debut) {
  const QByteArray format = ChunkFormat(debut);
  if (format.isEmpty()) return {};
  if (Mot16(format, 10) == 0) return QStringLiteral("fichier WAV abîmé : il n'a aucun canal");
  if (Mot32(format, 12) == 0) return QStringLiteral("fichier WAV abîmé : sa fréquence est nulle");
  if (Mot16(format, 20) == 0) return QStringLiteral("fichier WAV abîmé : ses blocs sont vides");
  return {};
}

std::optional<QByteArray> WavDepuis(const QByteArray& wav, int debutMs) {
  if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") return std::nullopt;
  QByteArray format;
  qsizetype donnees = -1;
  quint32 tailleDonnees = 0;
  for (qsizetype i = 12; i + 8 <= wav.size();) {
    const QByteArray id = wav.mid(i, 4);
    const quint32 taille = Mot32(wav, i + 4);
    if (id == "fmt " && taille >= 16 && i + 8 + taille <= wav.size()) format = wav.mid(i, 8 + taille);
    if (id == "data") {
      donnees = i + 8;
      tailleDonnees = quint32(std::min<qint64>(taille, wav.size() - donnees));
      break;
    }
    i += 8 + qsizetype(taille) + (taille & 1);  // chunks are word-aligned
  }
  if (format.isEmpty() || donnees < 0) return std::nullopt;
  const quint16 codage = Mot16(format, 8);
  const quint32 octetsParSeconde = Mot32(format, 16);
  const quint16 bloc = Mot16(format, 20);
  if ((codage != 1 && codage != 3 && codage != 0xFFFE) || bloc == 0 || octetsParSeconde == 0) return std::nullopt;
  quint64 saut = quint64(std::max(0, debutMs)) * octetsParSeconde / 1000;
  saut -= saut % bloc;
  saut = std::min<quint64>(saut, tailleDonnees - tailleDonnees % bloc);
  const quint32 reste = tailleDonnees - quint32(saut);
  QByteArray sortie("RIFF");
  Ajouter32(sortie, quint32(4 + format.size() + 8 + reste));
  sortie.append("WAVE");
  sortie.append(format);
  sortie.append("data");
  Ajouter32(sortie, reste);
  sortie.append(wav.constData() + donnees + saut, reste);
  return sortie;
}

}  // namespace plivor
