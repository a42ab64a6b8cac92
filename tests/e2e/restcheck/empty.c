int ResTCheckPlaceholder;
