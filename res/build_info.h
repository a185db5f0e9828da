/*
 * What tells the two builds apart to the host: the external marker's tag and the version
 * resource's texts. FIGPLOT_WIDE is 1 for figPlotU, 0 for figPlot.
 * Plain preprocessor definitions, readable by the resource compiler too.
 */
#ifndef FIGPLOT_BUILD_INFO_H
#define FIGPLOT_BUILD_INFO_H

#define FIG_STRING_LANGUAGE 1033 /* US English */
#define FIG_FIRST_FUNCTION_STRING 29201

#define FIG_VERSION_MAJOR 1
#define FIG_VERSION_MINOR 2
#define FIG_VERSION_PATCH 0
#define FIG_VERSION_BUILD 5
#define FIG_VERSION_TEXT "1.2b5"
#define FIG_VERSION_FLAGS_MASK 0x3f
#define FIG_VERSION_FLAGS 0x2  /* pre-release */
#define FIG_VERSION_OS 0x4     /* 32-bit Windows */
#define FIG_VERSION_FILETYPE 0x2 /* dynamic library */
#define FIG_VERSION_BLOCK "040904E4"
#define FIG_VERSION_LANGUAGE 0x0409
#define FIG_VERSION_CODEPAGE 0x04e4
#define FIG_INTERNAL_NAME "figPlot"

#if FIGPLOT_WIDE
#define FIG_MARKER_TAG "UCMD"
#define FIG_FILE_DESCRIPTION "Extension for Omnis Studio Unicode"
#define FIG_ORIGINAL_FILENAME "figPlotU.DLL"
#define FIG_PRODUCT_NAME "figPlot for Unicode"
#else
#define FIG_MARKER_TAG "7CMD"
#define FIG_FILE_DESCRIPTION "Extension for Omnis 7/Studio"
#define FIG_ORIGINAL_FILENAME "figPlot.DLL"
#define FIG_PRODUCT_NAME "figPlot"
#endif

#endif
