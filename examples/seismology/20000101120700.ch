# channel flag delay station component monitor bits sensitivity unit period damping gain lsb latitude longitude height p s
3A01 1 0 N.SMPH U 6 27 1.960e+02 m/s 1.0000 0.700 0 1.023e-07 35.5120 139.4080 120 0.00 0.00
3A02 1 0 N.SMPH N 6 27 1.960e+02 m/s 1.0000 0.700 0 1.023e-07 35.5120 139.4080 120 0.00 0.00
3A03 1 0 N.SMPH E 6 27 1.960e+02 m/s 1.0000 0.700 0 1.023e-07 35.5120 139.4080 120 0.00 0.00
