/*
 * figPlot binary interface, for authors of hosts that load the figPlot externals.
 *
 * Two builds implement it: figPlotU (host text as 32-bit code units, UTF-32) and figPlot
 * (8-bit text). Both export one entry point named "figPlot" with C linkage (__stdcall,
 * undecorated, on 32-bit Windows). The host calls it once per event with a message number
 * and its callback; every answer travels back through the callback.
 *
 * Integers passed to the callback travel as C variadic arguments: 16-bit values as int,
 * sign-extended; bytes as int, zero-extended; 32-bit values as int32_t; pointers as
 * pointers. The callback's result is an int32_t.
 */
#ifndef FIGPLOT_HOST_API_H
#define FIGPLOT_HOST_API_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define FIGPLOT_STDCALL __stdcall
#define FIGPLOT_CDECL __cdecl
#else
#define FIGPLOT_STDCALL
#define FIGPLOT_CDECL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- entry point ---- */

#define FIGPLOT_ENTRY_NAME "figPlot"

/* The host's service function: the first argument is one of FigHostCode. */
typedef int32_t(FIGPLOT_CDECL *FigHostCallback)(int32_t code, ...);

/*
 * message:      FigMessage (only the low 16 bits count)
 * instanceSlot: the host's pointer to this instance's data; written at MsgOpen and MsgClose
 * window:       a window handle (HWND); drawing functions take their device context from it
 * unused1/2:    not used
 * callback:     the host's service function
 * Returns what the host answered to the final store of the result (ParamReturnValue).
 */
typedef int32_t(FIGPLOT_STDCALL *FigEntryPoint)(int32_t message, void **instanceSlot, void *window,
                                                intptr_t unused1, intptr_t unused2, FigHostCallback callback);

/* ---- messages ---- */
enum FigMessage {
    MsgOpen = 0,       /* create the instance data, send the banner */
    MsgCall = 1,       /* run the function the host names (HostGetFunctionNumber) */
    MsgClose = 2,      /* free the instance data, null the slot */
    MsgDescribe = 3,   /* write a function's parameter or return description into the request record */
    MsgFlagRecord = 4  /* set the 16-bit field at FIG_REQUEST_FLAG_OFFSET of the request record to 1 */
};

/* ---- callback codes and their arguments (after the code) ---- */
enum FigHostCode {
    HostLookupName = 28,        /* CountedText* name -> reference in the low 16 bits, 0 = unknown */
    HostGetNumber = 29,         /* int paramId, double* out */
    HostSetValue = 30,          /* int paramId, int valueType, const void* value */
    HostSetNumber = 31,         /* int paramId, const double* value */
    HostSendBanner = 36,        /* int 0, int 1, int 1, int 0, CountedText* banner -> low 8 bits: result */
    HostGetValue = 38,          /* int paramId, int valueType, int32_t maxLength, void* buffer */
    HostGetListCell = 39,       /* int listRef, int columnRef, int valueType (2), void* buffer,
                                   int32_t* lineAndMax: {line from 1, maximum length 255} */
    HostGetListNumber = 40,     /* int listRef, int32_t line, int columnRef, double* out */
    HostGetFieldInfo = 45,      /* void* FieldInfoBlock */
    HostGetFunctionNumber = 48, /* int32_t* out: low 16 bits, the 1-based function number */
    HostGetRequestRecord = 49,  /* void** out: the HostRequestRecord of the current message */
    HostGetColumnNames = 52     /* int listRef, int maxLength (1024), void* buffer: names, comma-separated */
};

/* ---- value types (HostGetValue, HostSetValue) ---- */
enum FigValueType {
    ValueNumber = 0,     /* 64-bit IEEE double */
    ValueText = 2,       /* host text, zero-terminated, at most the maximum length */
    ValueBitmap = 9,     /* address of a bitmap handle (HBITMAP) variable: the host writes one handle,
                            whatever maximum length comes with the fetch. A fetched bitmap becomes the
                            library's (it deletes it); a stored one stays the library's (the host copies it) */
    ValueByteLength = 11 /* int32: byte length of the stored picture, 0 when empty */
};

/* ---- field types (HostGetFieldInfo) ---- */
enum FigFieldType {
    FieldTypeText = 0,    /* a text value */
    FieldTypePicture = 14 /* a picture field */
};

/* ---- parameter ids ---- */
enum FigParamId {
    ParamReturnValue = 200, /* the function's result (ValueNumber, via HostSetValue) */
    ParamCount = 210,       /* number of parameters supplied (ValueNumber, maximum length 10: the library's
                               buffer holds the 10 bytes a host may write) */
    ParamFirst = 211        /* parameter n is ParamCount + n */
};

/* ---- results ---- */
enum FigResultCode {
    ResultDone = 0,
    ResultBadParameters = 2,
    ResultNoMemory = 3,
    ResultEmptyPicture = 4,
    ResultFileFailure = 5
};

/* ---- function numbers (HostGetFunctionNumber) ---- */
enum FigFunction {
    FnComposeFile = 1,
    FnComposePict = 2,
    FnDrawText = 3,
    FnFillOval = 4,
    FnDrawOval = 5,
    FnFillRect = 6,
    FnDrawRect = 7,
    FnDrawLine = 8,
    FnErasePict = 9,
    FnSetPictBounds = 10,
    FnGetPictBounds = 11,
    FnGetPictSize = 12,
    FnGetPixelColor = 13 /* figPlot (8-bit) build only; not in the function table */
};

/* ---- string resources ---- */
#define FIG_FUNCTION_STRING_BASE 29200 /* string 29200 + n describes function n */
#define FIG_LIBRARY_STRING 29213       /* "*figPlot" */
#define FIG_MARKER_RESOURCE "Q7INF"     /* RT_RCDATA, 14 bytes: "UCMD"/"7CMD", uint16 29201, 8 zero bytes */

/*
 * CountedText: figPlotU: int32 count, then count 32-bit units; figPlot: uint8 count, then
 * count bytes. Counts are at most 254.
 */
#define FIG_COUNTED_TEXT_MAX 254

/*
 * FieldInfoBlock: filled by the library, answered by the host (HostGetFieldInfo).
 * Offsets in bytes, 16-bit fields unless said otherwise.
 */
#define FIG_FIELDINFO_SIZE_U 1104
#define FIG_FIELDINFO_SIZE_A 336
#define FIG_FIELDINFO_NAME 0 /* CountedText area of 256 units; the host may write a name */
#define FIG_FIELDINFO_ID_U 1024 /* parameter id or list column reference */
#define FIG_FIELDINFO_ID_A 256
#define FIG_FIELDINFO_TYPE_U 1026 /* field type: 0 in, the answer out */
#define FIG_FIELDINFO_TYPE_A 258
#define FIG_FIELDINFO_MODE_U 1030 /* set to 2 by the library */
#define FIG_FIELDINFO_MODE_A 262
#define FIG_FIELDINFO_STATUS_U 1100 /* 1 = answered */
#define FIG_FIELDINFO_STATUS_A 332

/*
 * HostRequestRecord (HostGetRequestRecord). Offsets in bytes.
 *   6: int16 request kind at MsgDescribe (5 = parameters, 6 = return value)
 *   8: byte, set to 0 at MsgDescribe
 *  10: CountedText written at MsgDescribe, plus a zero terminator
 *      (figPlotU: int32 count at 10, 32-bit units from 14; figPlot: uint8 count at 10, bytes from 11)
 *  14: int16 set to 1 at MsgFlagRecord
 * The text is cut at 254 units, so the library writes nothing past
 * FIG_REQUEST_RECORD_SIZE_U bytes (figPlotU) or FIG_REQUEST_RECORD_SIZE_A bytes (figPlot):
 * a host provides at least that many. FIG_REQUEST_RECORD_SIZE serves both builds.
 */
#define FIG_REQUEST_KIND_OFFSET 6
#define FIG_REQUEST_CLEAR_OFFSET 8
#define FIG_REQUEST_TEXT_OFFSET 10
#define FIG_REQUEST_FLAG_OFFSET 14
#define FIG_REQUEST_KIND_PARAMETERS 5
#define FIG_REQUEST_KIND_RETURN 6
#define FIG_REQUEST_RECORD_SIZE_U 1034 /* 14 + (254 units + terminator) * 4 */
#define FIG_REQUEST_RECORD_SIZE_A 266  /* 11 + 254 characters + terminator */
#define FIG_REQUEST_RECORD_SIZE FIG_REQUEST_RECORD_SIZE_U

#ifdef __cplusplus
}
#endif

#endif
