#include "reports/reslistdom.h"

ResListDom::ResListDom()
    : ResourceList(
          "ResListDom", "Resource List  -  Domestic",
          "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
          "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, lokale.maxprs, lokale.gebyr, "
          "lokale.lokbeskrivelse, lokale.Lokfastinv FROM (Overgruppenavne INNER JOIN "
          "(lokaliteter INNER JOIN lokale ON lokaliteter.Lokalitetsnr = lokale.lokalinr) ON "
          "Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr) INNER JOIN Gruppetyper ON "
          "Overgruppenavne.Gruppeart = Gruppetyper.gruppeart WHERE "
          "(((Gruppetyper.gruppeart)=1)) ORDER BY Gruppetyper.GTypenavn, "
          "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn;",
          {{"Room Name", "Lokalenavn", {}, 36},
           {"#Pers", "maxprs", {}, 14, Qt::AlignRight},
           {"Fee/Hour", "gebyr", "Fixed", 22, Qt::AlignRight},
           {"Description", "lokbeskrivelse", {}, 60},
           {"Fixture", "Lokfastinv", {}, 45}},
          QPageLayout::Portrait)
{
}
