"""python3 -m tremvix: the survey (see tremvix.survey)."""

import sys

from tremvix.survey import main

sys.exit(main())
