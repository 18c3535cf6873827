// The File / Site Code Transfer dialog.
#pragma once
