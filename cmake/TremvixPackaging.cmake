# `make package`: a Debian package of the installed files. The shared libraries'
# packages are found by dpkg-shlibdeps; the fonts and Qt's own Japanese texts are
# data, named by hand.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tremvix")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Tremvix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer of earthquake and vibration time-history records")
# One string: several would be joined with ";" into the package's description.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tremvix shows multi-channel accelerations, velocities and displacements as waveforms, reads CSV files and "
    "the K-NET, KiK-net, JMA and PEER records, filters and integrates them, and computes spectra, the JMA "
    "instrumental seismic intensity and ground-motion indices. Its user interface is Japanese.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_RPM_PACKAGE_LICENSE "${TREMVIX_LICENSE}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tremvix developers <tremvix@users.noreply.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, python3-numpy")
# The Python module (python3 -m tremvix.survey) runs a survey on a Dask cluster.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-distributed")
include(CPack)
