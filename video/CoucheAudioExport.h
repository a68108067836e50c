#pragma once
// The sound engine on the export's simulated clock: it plays nothing, and
// the journal keeps what the music channel would have played.

#include <QString>
#include <functional>

#include "video/CadenceExport.h"
#include "video/CoucheAudioJournal.h"

namespace plivor {

class CoucheAudioExport : public CoucheAudioJournal {
 public:
  CoucheAudioExport(const CadenceExport& horloge, JournalSonore& journal, SourcesSonores& sources)
      : CoucheAudioJournal(journal, sources), horloge_(horloge) {}
  ~CoucheAudioExport() override { Fermer(); }

  long long Trame() const override {
    return horloge_.Maintenant().count() * kFrequenceExport / 1'000'000'000LL;
  }
  std::optional<PisteCd> Piste(int) const override {
    // Any track: it is skipped, silent, for as long as the list plays it.
    return PisteCd{0, 0};
  }

  // Said once: CD tracks stay silent in an export.
  std::function<void(const QString&)> avis;

 protected:
  std::optional<QString> OuvrirCd(std::shared_ptr<const Pcm>& cd) override {
    if (!cdSignale_ && avis) avis(QStringLiteral("Les pistes de CD audio restent muettes dans la vidéo."));
    cdSignale_ = true;
    cd.reset();
    return std::nullopt;
  }

 private:
  const CadenceExport& horloge_;
  bool cdSignale_ = false;
};

}  // namespace plivor
