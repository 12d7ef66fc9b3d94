# The protections Debian builds its own packages with (dpkg-buildflags with
# hardening=+all): checked buffer functions, stack protection, and relocations
# resolved and made read-only when the program starts. Every build but the
# sanitizer build gets them, so that the package is made from a hardened
# program; the sanitizers bring checks of their own that these would blur.
if(NOT EUROPA_SANITIZE)
    add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection
                        -Wformat -Werror=format-security)
    # Fortified functions need the optimiser; some compilers define the macro already.
    add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
