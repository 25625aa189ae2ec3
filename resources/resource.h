// Identifiers of the plug-in's string table (resources/KurvoStrings.cpp).
#pragma once

#define IDS_KURVO_MENU 1     // "Kurvo": first menu item, opens the chart
#define IDS_KURVO_ADDRACES 2 // "Add Race(s) to Kurvo": second menu item
#define IDR_KURVOTYPE 3      // the document template's string
#define IDS_KURVO_SAVENAME 4 // "save": base name of the default chart file
#define IDS_KURVO_SAVEEXT 5  // ".kv": extension of the default chart file
#define IDS_KURVO_RESET 6    // "Reset Kurvo": context-menu item of the chart view
#define IDS_KURVO_CHART 7    // "Kurvo chart": the chart view's name for screen readers
#define IDS_KURVO_TURNS 8    // "%ld turns": its description, told again when turns are gained

// Statistic names; the kind k (1..5) has the string IDS_STAT_BASE + k.
#define IDS_STAT_BASE 5000
#define IDS_STAT_INDUSTRY 5001
#define IDS_STAT_POPULATION 5002
#define IDS_STAT_WEAPON 5003
#define IDS_STAT_DRIVE 5004
#define IDS_STAT_SHIELD 5005

// Command number under which the second menu item is offered to the host,
// and which the host's selection request repeats.
#define ID_KURVO_ADDRACES 51467
