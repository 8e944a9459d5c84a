# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the shipped registers to DESTINATION only when no register folder is there yet.
if(NOT EXISTS "${DESTINATION}")
    file(COPY "${SOURCE}/" DESTINATION "${DESTINATION}")
endif()
