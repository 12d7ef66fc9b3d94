# Qt's own safety switches, for the program, its tests, its benchmarks and the
# tools that link Qt alike: no text is made from bytes or bytes from text
# unless the conversion is written where it happens, no URL from a string, no
# Qt call deprecated in the Qt the program needs, and text joined with % and +
# is built at once.
add_compile_definitions(
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER
    # Qt 6.4, the oldest the program builds with.
    QT_DISABLE_DEPRECATED_BEFORE=0x060400
)
