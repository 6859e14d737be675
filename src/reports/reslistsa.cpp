#include "reports/reslistsa.h"

ResListSA::ResListSA()
    : ResourceList(
          "ResListSA", "Resource List  -  Stand-Alones",
          "SELECT Gruppetyper.gruppeart, Gruppetyper.GTypenavn, Overgruppenavne.OverGruppenavn, "
          "lokaliteter.Lokalitetsnavn, lokale.Lokalenavn, lokale.Lejetime, lokale.lokfabrikat, "
          "lokale.lokmodel, lokale.loksernr, lokale.lokårgang, lokale.Leverandør, "
          "lokale.Garantislut, lokale.levphone, lokale.nextservice FROM (Overgruppenavne "
          "INNER JOIN (lokaliteter INNER JOIN lokale ON lokaliteter.Lokalitetsnr = "
          "lokale.lokalinr) ON Overgruppenavne.overgruppenr = lokaliteter.Overgruppenr) "
          "INNER JOIN Gruppetyper ON Overgruppenavne.Gruppeart = Gruppetyper.gruppeart WHERE "
          "(((Gruppetyper.gruppeart)=3)) ORDER BY Gruppetyper.GTypenavn, "
          "Overgruppenavne.OverGruppenavn, lokaliteter.Lokalitetsnavn, lokale.Lokalenavn;",
          {{"Resource Name", "Lokalenavn", {}, 38},
           {"Fee/Hour", "Lejetime", "Fixed", 21, Qt::AlignRight},
           {"Brand", "lokfabrikat", {}, 22},
           {"Model", "lokmodel", {}, 28},
           {"Serial No#", "loksernr", {}, 34},
           {"Year", "lokårgang", {}, 11},
           {"Supplier", "Leverandør", {}, 32},
           {"Warranty", "Garantislut", "Short Date", 22},
           {"Phone", "levphone", {}, 28},
           {"Service", "nextservice", {}, 22}},
          QPageLayout::Landscape)
{
}
