#include "platform/DisqueCd.h"

#include <algorithm>
#include <cstring>
#include <vector>

#ifdef PLIVOR_AVEC_CDIO
#include <cdio/cdio.h>
#endif

namespace plivor {

#ifdef PLIVOR_AVEC_CDIO

namespace {

constexpr int kSecteursParSeconde = 75;
constexpr int kTramesParSecteur = 588;

class DisqueCdio : public DisqueCd {
 public:
  explicit DisqueCdio(CdIo_t* cdio) : cdio_(cdio) {}
  ~DisqueCdio() override { cdio_destroy(cdio_); }

  std::optional<PisteCd> Piste(int numero) const override {
    const track_t premiere = cdio_get_first_track_num(cdio_);
    const track_t nombre = cdio_get_num_tracks(cdio_);
    if (numero < premiere || numero >= premiere + nombre) return std::nullopt;
    if (cdio_get_track_format(cdio_, track_t(numero)) != TRACK_FORMAT_AUDIO) return std::nullopt;
    const lsn_t debut = cdio_get_track_lsn(cdio_, track_t(numero));
    const unsigned secteurs = cdio_get_track_sec_count(cdio_, track_t(numero));
    return PisteCd{int(debut * 1000LL / kSecteursParSeconde), int(secteurs * 1000LL / kSecteursParSeconde)};
  }

  void Positionner(int ms) override {
    secteur_ = lsn_t(ms * 1LL * kSecteursParSeconde / 1000);
    tampon_.clear();
    lu_ = 0;
  }

  bool Lire(std::int16_t* trames, int nombre) override {
    while (nombre > 0) {
      if (lu_ >= tampon_.size()) {
        tampon_.assign(size_t(kTramesParSecteur) * 2, 0);
        if (secteur_ >= cdio_get_disc_last_lsn(cdio_) ||
            cdio_read_audio_sectors(cdio_, tampon_.data(), secteur_, 1) != DRIVER_OP_SUCCESS)
          return false;
        ++secteur_;
        lu_ = 0;
      }
      const size_t n = std::min(size_t(nombre) * 2, tampon_.size() - lu_);
      std::memcpy(trames, tampon_.data() + lu_, n * sizeof(std::int16_t));
      trames += n;
      lu_ += n;
      nombre -= int(n / 2);
    }
    return true;
  }

 private:
  CdIo_t* cdio_;
  lsn_t secteur_ = 0;
  std::vector<std::int16_t> tampon_;
  size_t lu_ = 0;
};

}  // namespace

std::unique_ptr<DisqueCd> DisqueCd::Ouvrir(QString& erreur) {
  CdIo_t* cdio = cdio_open(nullptr, DRIVER_DEVICE);
  if (!cdio) {
    erreur = QStringLiteral("Aucun lecteur de CD audio");
    return nullptr;
  }
  if (cdio_get_num_tracks(cdio) == CDIO_INVALID_TRACK || cdio_get_discmode(cdio) == CDIO_DISC_MODE_NO_INFO) {
    cdio_destroy(cdio);
    erreur = QStringLiteral("Pas de CD audio dans le lecteur");
    return nullptr;
  }
  return std::make_unique<DisqueCdio>(cdio);
}

#else

std::unique_ptr<DisqueCd> DisqueCd::Ouvrir(QString& erreur) {
  erreur = QStringLiteral("Aucun lecteur de CD audio (programme construit sans libcdio)");
  return nullptr;
}

#endif

}  // namespace plivor
